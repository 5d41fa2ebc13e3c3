#!/bin/sh
# What the real game costs: the median frames per second and the share of
# the machine's CPU over 10 s of play at the start pad, measured by Mesa's
# own heads-up display (GALLIUM_HUD) in the real binary on a private X
# server with the dummy video driver (the game's own full-screen mode).
#   tools/bench/game-cost.sh [build-dir] [seconds] [game options...]   (as root: Xorg)
# With no game options, each renderer in turn (--renderer classic, then
# --renderer shaders) on the one X server, so their figures compare.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
seconds=${2:-10}
[ $# -gt 2 ] && shift 2 || set --
game=$build/game
[ -x "$game/skycourse" ] || { echo "game-cost: build the game first ($game/skycourse missing)" >&2; exit 1; }

work=$(mktemp -d)
xorg_pid=
game_pid=
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    [ -n "$xorg_pid" ] && kill "$xorg_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xorg -config "$root/tests/e2e/xorg-dummy.conf" -noreset -nolisten tcp -retro \
     -logfile "$work/xorg.log" -displayfd 3 3>"$work/display" >/dev/null 2>&1 &
xorg_pid=$!
tries=0
while [ ! -s "$work/display" ] && [ $tries -lt 100 ]; do sleep 0.1; tries=$((tries + 1)); done
[ -s "$work/display" ] || { echo "game-cost: Xorg did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"

median() {  # file: the median of its values after the first two (start-up)
    tail -n +3 "$1" | awk '{print $NF}' | sort -n | awk '{v[NR]=$1} END {
        if (NR == 0) { print "none"; exit }
        print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# measure [game options...]: one run of the game, its figures printed.
measure() {
    hud=$(mktemp -d "$work/hud.XXXXXX")
    # The first two seconds are start-up; the HUD samples once a second.
    (cd "$game" && GALLIUM_HUD=fps,cpu GALLIUM_HUD_PERIOD=1 GALLIUM_HUD_DUMP_DIR="$hud" \
        SDL_AUDIODRIVER=dummy exec ./skycourse "$@" >/dev/null 2>&1) &
    game_pid=$!
    # The game's own CPU time (user + system, in clock ticks) over the
    # window, so that other work on the machine does not count.
    cpu_ticks() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
    sleep 2
    before=$(cpu_ticks)
    sleep "$seconds"
    after=$(cpu_ticks)
    kill "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
    game_pid=
    fps=$(median "$hud/fps")
    hz=$(getconf CLK_TCK)
    echo "game at the start pad ($*), $seconds s, 1280x1024 game mode under the dummy X server:"
    echo "  frames per second (median): $fps"
    echo "  the game's CPU share of the machine, %: $(awk -v t=$((after - before)) -v hz="$hz" \
        -v s="$seconds" -v n="$(nproc)" 'BEGIN { printf "%.1f", 100 * t / hz / s / n }')"
    # A core's worth: 100 is one core busy all the time.
    echo "  the game's CPU use in cores: $(awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" \
        'BEGIN { printf "%.2f", t / hz / s }')"
    echo "  all CPU use on the machine, % (median): $(median "$hud/cpu")"
    # Independent of what else the machine is doing: the game's CPU time
    # for each frame it showed.
    echo "  the game's CPU time per frame, ms: $(awk -v t=$((after - before)) -v hz="$hz" \
        -v f="$fps" -v s="$seconds" 'BEGIN { if (f + 0 > 0) printf "%.1f", 1000 * t / hz / (f * s); else print "none" }')"
}

if [ $# -gt 0 ]; then
    measure "$@"
else
    measure --renderer classic
    measure --renderer shaders
fi
