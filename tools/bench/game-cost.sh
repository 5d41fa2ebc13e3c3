#!/bin/sh
# What the real game costs: the median frames per second and the share of
# the machine's CPU over 10 s of play at the start pad, measured by Mesa's
# own heads-up display (GALLIUM_HUD) in the real binary on a private X
# server with the dummy video driver (the game's own full-screen mode); the
# game's CPU split by thread (its main thread, llvmpipe's rasterizer
# threads, the sound thread) from /proc; the same paused, in a page of the
# menu and at the end picture; and, while playing, the frame split into
# describing, drawing, presenting, the ticks and the threads, sampled by perf.
#   tools/bench/game-cost.sh [build-dir] [seconds] [game options...]   (as root: Xorg)
# With no game options, each renderer in turn (--renderer classic, then
# --renderer shaders), full and fast graphics, on the one X server, so their
# figures compare; GAME_COST_SPLIT=0 leaves out the split (perf's sampling
# costs the game a little while it runs, after the figures above are taken).
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
seconds=${2:-10}
[ $# -gt 2 ] && shift 2 || set --
game=$build/game
tap=$build/tools/bench/skycourse-tap-key
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
hz=$(getconf CLK_TCK)

median() {  # file: the median of its values after the first two (start-up)
    tail -n +3 "$1" | awk '{print $NF}' | sort -n | awk '{v[NR]=$1} END {
        if (NR == 0) { print "none"; exit }
        print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# The CPU time of each of the game's threads (user + system, in clock
# ticks), one "name ticks" line each, the main thread called "main".
thread_ticks() {
    for task in /proc/"$game_pid"/task/*; do
        [ "${task##*/}" = "$game_pid" ] && name=main || name=$(sed 's/.*(\(.*\)).*/\1/' "$task/stat" | tr ' ' _)
        rest=$(sed 's/.*) //' "$task/stat")
        echo "$name $(echo "$rest" | awk '{print $12 + $13}')"
    done 2>/dev/null
}

# The threads' CPU over the window in cores, grouped: the main thread,
# llvmpipe's rasterizer threads, SDL's sound thread, the rest.
thread_split() {  # before-file after-file
    awk -v hz="$hz" -v s="$seconds" '
        function group(n) { return n == "main" ? "main" : n ~ /^llvmpipe/ ? "rasterizer" : n ~ /^SDLAudio/ ? "sound" : "other" }
        NR == FNR { before[$1] += $2; next }
        { now[group($1)] += $2 - before[$1]; before[$1] = 0 }
        END { printf "  cores by thread: main %.2f, rasterizer threads %.2f, sound %.2f, other %.2f; main thread waiting %.0f%% of the time\n",
              now["main"] / hz / s, now["rasterizer"] / hz / s, now["sound"] / hz / s, now["other"] / hz / s,
              100 * (1 - now["main"] / hz / s) }' "$1" "$2"
}

# start_game [game options...]: the game started, in the background.
start_game() {
    hud=$(mktemp -d "$work/hud.XXXXXX")
    (cd "$game" && GALLIUM_HUD=fps,cpu GALLIUM_HUD_PERIOD=1 GALLIUM_HUD_DUMP_DIR="$hud" \
        SDL_AUDIODRIVER=dummy SKYCOURSE_ROWS="$work/rows" exec ./skycourse "$@" >/dev/null 2>&1) &
    game_pid=$!
}

stop_game() {
    kill "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
    game_pid=
}

# window what: the figures of the next $seconds, printed under `what`.
window() {
    cpu_ticks() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
    before=$(cpu_ticks)
    thread_ticks >"$work/threads-before"
    sleep "$seconds"
    after=$(cpu_ticks)
    thread_ticks >"$work/threads-after"
    echo "$1:"
    fps=$(median "$hud/fps")
    echo "  frames per second (median): $fps"
    echo "  the game's CPU share of the machine, %: $(awk -v t=$((after - before)) -v hz="$hz" \
        -v s="$seconds" -v n="$(nproc)" 'BEGIN { printf "%.1f", 100 * t / hz / s / n }')"
    # A core's worth: 100 is one core busy all the time.
    echo "  the game's CPU use in cores: $(awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" \
        'BEGIN { printf "%.2f", t / hz / s }')"
    thread_split "$work/threads-before" "$work/threads-after"
    echo "  all CPU use on the machine, % (median): $(median "$hud/cpu")"
    # Independent of what else the machine is doing: the game's CPU time
    # for each frame it showed.
    echo "  the game's CPU time per frame, ms: $(awk -v t=$((after - before)) -v hz="$hz" \
        -v f="$fps" -v s="$seconds" 'BEGIN { if (f + 0 > 5) printf "%.1f", 1000 * t / hz / (f * s); else print "none" }')"
}

# measure [game options...]: playing at the start pad.
measure() {
    start_game "$@"
    sleep 2   # start-up; the HUD samples once a second
    window "game at the start pad ($*), $seconds s, 1280x1024 game mode under the dummy X server"
    if [ "${GAME_COST_SPLIT:-1}" != 0 ]; then
        split "$(awk -v t=$((after - before)) -v hz="$hz" -v f="$fps" -v s="$seconds" \
            'BEGIN { if (f + 0 > 0) printf "%.2f", 1000 * t / hz / (f * s); else print 0 }')"
    fi
    stop_game
}

# idle [game options...]: paused (its menu open), a page of the menu, and
# the end picture of the route watched at speed 20.
idle() {
    if [ -x "$tap" ]; then
        start_game "$@"
        sleep 2
        "$tap" space
        sleep 3   # frames asked for before the pause, drawn late on a busy machine
        window "  paused, the menu open ($*)"
        "$tap" Down Down Down Down Return
        sleep 3
        window "  the settings page of the menu ($*)"
        stop_game
    else
        echo "game-cost: $tap missing: build it for the pause and the menu" >&2
    fi
    rm -f "$work/rows"
    start_game --watch "$root/tests/routes/full-course.replay" --speed 20 "$@"
    last=-1
    waited=0
    # The route's rows stop at the ring (two minutes at most).
    while [ $waited -lt 120 ]; do
        now=$( [ -f "$work/rows" ] && wc -l <"$work/rows" || echo 0)
        [ "$now" = "$last" ] && [ "$now" -gt 1000 ] && break
        last=$now
        sleep 2
        waited=$((waited + 2))
    done
    window "  the end picture ($*)"
    stop_game
}

# split what: where the game's CPU goes while playing, sampled by perf
# (cpu-clock, call stacks unwound with DWARF, which works through Mesa's
# stripped library too) for $seconds: the rasterizer threads, the sound
# thread, and the main thread's describing (describeFrame), drawing (the GL
# calls of drawGame), presenting (glutSwapBuffers: llvmpipe's last tiles,
# the copy to X), ticks (frontTicks) and the rest (GLUT's loop, events).
# Each as a share of the game's CPU and in ms a frame at the frames per
# second measured beside it.
split() {
    command -v perf >/dev/null || { echo "  (no perf: no split)"; return; }
    perf record -q -e cpu-clock -F 500 --call-graph dwarf,16384 -p "$game_pid" -o "$work/perf.data" \
        -- sleep "$seconds" >/dev/null 2>&1 || { echo "  (perf record failed: no split)"; return; }
    perf report -i "$work/perf.data" --children --sort comm,sym --stdio -g none 2>/dev/null >"$work/report" || true
    perf report -i "$work/perf.data" --no-children --sort comm --stdio -g none 2>/dev/null >"$work/threads" || true
    awk -v ms="$1" '
        FILENAME ~ /threads$/ && $1 ~ /%$/ {
            share = $1 + 0
            name = $2
            if (name ~ /^llvmpipe/) raster += share
            else if (name ~ /^SDLAudio/) sound += share
            else if (name == "skycourse") main += share
            else other += share
            next
        }
        $3 == "skycourse" && $4 == "[.]" {
            if ($5 ~ /^describeFrame/) describe = $1 + 0
            else if ($5 ~ /^drawGame/) draw = $1 + 0
            else if ($5 == "glutSwapBuffers") swap = $1 + 0
            else if ($5 ~ /^frontTicks/) ticks = $1 + 0
        }
        END {
            draw -= describe
            rest = main - describe - draw - swap - ticks
            printf "  the split (perf, %% of the game'"'"'s CPU, and ms a frame):\n"
            printf "    describe %5.1f%% %5.2f ms   draw %5.1f%% %5.2f ms   present %5.1f%% %5.2f ms\n",
                describe, describe * ms / 100, draw, draw * ms / 100, swap, swap * ms / 100
            printf "    ticks %5.1f%% %5.2f ms   main thread'"'"'s rest %5.1f%% %5.2f ms\n", ticks, ticks * ms / 100, rest, rest * ms / 100
            printf "    rasterizer threads %5.1f%% %5.2f ms   sound %5.1f%% %5.2f ms   other threads %5.1f%%\n",
                raster, raster * ms / 100, sound, sound * ms / 100, other
        }' "$work/threads" "$work/report"
}

if [ $# -gt 0 ]; then
    measure "$@"
else
    for renderer in classic shaders; do
        measure --renderer $renderer
        measure --renderer $renderer --graphics fast
        idle --renderer $renderer
    done
fi
