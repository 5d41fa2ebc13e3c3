#!/bin/sh
# Makes a short film of the recorded route: skycourse-replay plays it and
# takes a `shot` every 8 ticks (0.2 s of game time), ffmpeg joins the
# pictures at 25 a second into an H.264 video: five times faster than the
# game, so that the whole climb (235 s) lasts 47 s, and the end picture is
# held for two more. Needs a built game folder and ffmpeg (`make film`
# installs it and runs this); without an X display it starts a private Xvfb.
# The film carries a fingerprint of every 100th of its pictures (a comment
# in its metadata); --fingerprint draws just those and prints it, so that
# tools/docs-pictures.sh --check can tell whether the film is current.
#   tools/route-film.sh [build-dir] [output.mp4]
#   tools/route-film.sh --fingerprint [build-dir]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
only_samples=0
if [ "${1:-}" = --fingerprint ]; then
    only_samples=1
    shift
fi
build=${1:-$root/build}
film=${2:-$root/docs/route-film.mp4}
replay=$build/game/skycourse-replay
route=$root/tests/routes/full-course.replay
ticks_per_frame=8
frames_per_second=25
[ -x "$replay" ] || { echo "route-film: build the game first ($replay missing)" >&2; exit 1; }
[ $only_samples = 1 ] || command -v ffmpeg >/dev/null ||
    { echo "route-film: ffmpeg is missing (make film installs it)" >&2; exit 1; }

tool=route-film
. "$root/tools/private-display.sh"
frames=$(mktemp -d)
# With a display of the caller's there is no Xvfb to stop, and under set -e a
# failed kill would end the trap before the frames are removed.
trap 'if [ -n "$xvfb_pid" ]; then kill $xvfb_pid 2>/dev/null || true; fi; rm -rf "$frames" ${number:+"$number"}' EXIT

# The route with a shot after every $ticks_per_frame ticks: tick lines are
# cut where a shot falls, the route's final Esc is left out, and one last
# shot shows where it ended. For the fingerprint only the samples are drawn.
awk -v every="$ticks_per_frame" -v dir="$frames" -v samples="$only_samples" '
    function shot() {
        ++shots
        if (!samples || shots % 100 == 1) printf "shot %s/frame-%05d.png\n", dir, shots
    }
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

fingerprint() {
    for name in $(ls "$frames" | grep '^frame-' | sort | awk -F '[-.]' '$2 % 100 == 1'); do cat "$frames/$name"; done |
        sha256sum | cut -c1-32
}
if [ $only_samples = 1 ]; then
    "$replay" "$frames/film.replay" > /dev/null
    echo "frames $(fingerprint)"
    exit 0
fi

echo "route-film: drawing $(grep -c '^shot' "$frames/film.replay") pictures (this takes a while)"
"$replay" "$frames/film.replay" > /dev/null
mkdir -p "$(dirname "$film")"
ffmpeg -loglevel error -y -framerate "$frames_per_second" -i "$frames/frame-%05d.png" \
    -vf "scale=640:512,tpad=stop_mode=clone:stop_duration=2" -metadata comment="frames $(fingerprint)" \
    -c:v libx264 -preset slow -crf 28 -pix_fmt yuv420p -movflags +faststart "$film"
echo "route-film: $film"
