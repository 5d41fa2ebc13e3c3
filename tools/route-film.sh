#!/bin/sh
# Makes a short film of the recorded route: skycourse-replay plays it and
# takes a `shot` every 8 ticks (0.2 s of game time), ffmpeg joins the
# pictures at 25 a second into an H.264 video: five times faster than the
# game, so that the whole climb (235 s) lasts 47 s, and the end picture is
# held for two more. Needs a built game folder and ffmpeg (`make film`
# installs it and runs this); without an X display it starts a private Xvfb.
#   tools/route-film.sh [build-dir] [output.mp4]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
film=${2:-$root/docs/route-film.mp4}
replay=$build/game/skycourse-replay
route=$root/tests/routes/full-course.replay
ticks_per_frame=8
frames_per_second=25
[ -x "$replay" ] || { echo "route-film: build the game first ($replay missing)" >&2; exit 1; }
command -v ffmpeg >/dev/null || { echo "route-film: ffmpeg is missing (make film installs it)" >&2; exit 1; }

tool=route-film
. "$root/tools/private-display.sh"
frames=$(mktemp -d)
# With a display of the caller's there is no Xvfb to stop, and under set -e a
# failed kill would end the trap before the frames are removed.
trap 'if [ -n "$xvfb_pid" ]; then kill $xvfb_pid 2>/dev/null || true; fi; rm -rf "$frames" ${number:+"$number"}' EXIT

# The route with a shot after every $ticks_per_frame ticks: tick lines are
# cut where a shot falls, the route's final Esc is left out, and one last
# shot shows where it ended.
awk -v every="$ticks_per_frame" -v dir="$frames" '
    function shot() { printf "shot %s/frame-%05d.png\n", dir, ++shots }
    BEGIN { shot() }
    /^key down 27/ { next }
    /^tick/ {
        left = NF > 1 ? $2 : 1
        while (left > 0) {
            step = every - played % every
            if (step > left) step = left
            print "tick " step
            played += step
            left -= step
            if (played % every == 0) shot()
        }
        next
    }
    { print }
    END { if (played % every != 0) shot() }
' "$route" > "$frames/film.replay"

echo "route-film: drawing $(grep -c '^shot' "$frames/film.replay") pictures (this takes a while)"
"$replay" "$frames/film.replay" > /dev/null
mkdir -p "$(dirname "$film")"
ffmpeg -loglevel error -y -framerate "$frames_per_second" -i "$frames/frame-%05d.png" \
    -vf "scale=640:512,tpad=stop_mode=clone:stop_duration=2" \
    -c:v libx264 -preset slow -crf 28 -pix_fmt yuv420p -movflags +faststart "$film"
echo "route-film: $film"
