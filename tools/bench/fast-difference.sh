#!/bin/sh
# The fast graphics against full on the route's views: the recorded route
# (tests/routes/full-course.replay) drawn by the replay tool's `shot` every
# 500 ticks and at the end picture, full and fast, with each renderer; the
# mean difference per colour channel (of 255) for every view.
#   tools/bench/fast-difference.sh [build-dir]   (needs an X display, or Xvfb)
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
replay=$build/game/skycourse-replay
tool=fast-difference
[ -x "$replay" ] || { echo "$tool: build skycourse-replay first" >&2; exit 1; }
. "$root/tools/private-display.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"; [ -n "$xvfb_pid" ] && kill $xvfb_pid 2>/dev/null; true' EXIT

# The route with a `shot` line every 500 ticks (a `tick N` line split where
# needed) and one after its last tick.
awk -v dir="@DIR@" '
    function shot() { printf "shot %s/view-%05d.png\n", dir, done }
    /^tick/ {
        n = NF > 1 ? $2 : 1
        while (n > 0) {
            step = 500 - done % 500
            if (step > n) step = n
            print "tick " step
            done += step; n -= step
            if (done % 500 == 0) shot()
        }
        next
    }
    { print }
    END { shot() }' "$root/tests/routes/full-course.replay" >"$work/route"

for renderer in classic shaders; do
    for graphics in full fast; do
        mkdir -p "$work/$renderer-$graphics"
        sed "s|@DIR@|$work/$renderer-$graphics|" "$work/route" |
            "$replay" --renderer $renderer --graphics $graphics >/dev/null
    done
    echo "$renderer renderer, fast against full, mean difference per channel (of 255):"
    python3 "$root/tools/bench/picture_difference.py" "$work/$renderer-full" "$work/$renderer-fast"
done
