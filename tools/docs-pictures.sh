#!/bin/sh
# Makes the pictures under docs/ with the replay tool's `shot` command, from
# scripts that play the game's own simulation. Needs a built game folder and
# an X display; without one it starts a private Xvfb. With --check it draws
# them into a scratch folder instead and names each picture under docs/ that
# is not what the game draws now; either way it names the film when it is
# not (by its fingerprint, see tools/route-film.sh). --check exits 1 when
# anything is out of date.
#   tools/docs-pictures.sh [--check] [build-dir]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
check=false
if [ "${1:-}" = --check ]; then
    check=true
    shift
fi
build=${1:-$root/build}
replay=$build/game/skycourse-replay
docs=$root/docs
film=docs/route-film.mp4
[ -x "$replay" ] || { echo "docs-pictures: build the game first ($replay missing)" >&2; exit 1; }
mkdir -p "$docs"

# The pictures' makers; the sounds' are no part of a silent film.
media="tools/mediagen shaders assets/media_manifest.h :(exclude)tools/mediagen/effects.cpp
       :(exclude)tools/mediagen/music.cpp :(exclude)tools/mediagen/sound.cpp
       :(exclude)tools/mediagen/levels.h"
# True when the film shows what the game draws now, or is made again and not
# committed yet; otherwise says so. The film's fingerprint (see
# tools/route-film.sh) is held against the same pictures drawn now; a film
# without one is judged by history: older when the media changed after it
# was last committed.
film_is_current() {
    git -C "$root" diff --quiet HEAD -- "$film" 2>/dev/null || return 0
    stamp=$(ffprobe -v error -show_entries format_tags=comment -of default=nw=1:nk=1 "$root/$film" 2>/dev/null || true)
    case "$stamp" in
    frames\ *)
        now=$("$root/tools/route-film.sh" --fingerprint "$build")
        [ "$now" = "$stamp" ] && return 0
        echo "docs-pictures: $film is not what the game draws now; make film makes it again"
        return 1
        ;;
    esac
    git -C "$root" rev-parse --git-dir >/dev/null 2>&1 || {
        echo "docs-pictures: $film has no fingerprint and there is no history here to date it" >&2
        return 0
    }
    made=$(git -C "$root" log -1 --format=%H -- "$film")
    [ -n "$made" ] || return 0
    changes=$(git -C "$root" rev-list --no-merges --count "$made"..HEAD -- $media)
    [ "$changes" = 0 ] && return 0
    latest=$(git -C "$root" log --no-merges -1 --format='%h %s' "$made"..HEAD -- $media | cut -c1-72)
    echo "docs-pictures: $film is older than $changes change(s) to the media that made it," \
         "the latest $latest; make film makes it again"
    return 1
}

tool=docs-pictures
. "$root/tools/private-display.sh"
out=$docs
if $check; then
    out=$(mktemp -d)
    trap 'rm -rf "$out"; if [ -n "$xvfb_pid" ]; then kill $xvfb_pid 2>/dev/null || true; fi; rm -f ${number:+"$number"}' EXIT
fi

shoot() {  # name, then the script on stdin
    "$replay" >/dev/null
    $check || echo "docs-pictures: $docs/$1.png"
}

# The start pad, the ball and the swaying discs ahead.
shoot start <<SCRIPT
tick 8
shot $out/start.png
SCRIPT

# Rolled up to the front edge of the pad, looking up the line of discs.
shoot discs <<SCRIPT
special down UP
tick 12
special up UP
tick 40
key down 112
key up 112
mouse 640 480
tick 1
shot $out/discs.png
SCRIPT

# The ball's own view from the pad, turned a quarter to the right.
shoot ball-view <<SCRIPT
key down 99
key up 99
special down RIGHT shift
special up RIGHT
tick 8
shot $out/ball-view.png
SCRIPT

# The recorded route up to a tick, with every key let go afterwards, so that
# a picture can be taken at any moment of the run.
route=$root/tests/routes/full-course.replay
route_until() {  # tick
    awk -v n="$1" '
        done { next }
        /^tick/ {
            k = NF > 1 ? $2 : 1
            if (played + k >= n) { print "tick " (n - played); done = 1; next }
            played += k
        }
        /^(items|key down 27)/ { next }
        { print }
        END { print "special up UP\nspecial up DOWN\nspecial up LEFT\nspecial up RIGHT\nkey up 13" }
    ' "$route"
}

# The shrunk ball at the opening of the gate, seen from behind after a
# quarter turn, with the shrinking orb in the foreground.
shoot gate <<SCRIPT
$(route_until 3957)
special down RIGHT shift
special up RIGHT
shot $out/gate.png
SCRIPT

# The grown ball in flight to the last summit platform, the ring above it.
shoot summit <<SCRIPT
$(route_until 9212)
shot $out/summit.png
SCRIPT

# The route's ghost beside the ball on the first disc: the same route, the
# ball setting off half a second after the ghost.
shoot ghost <<SCRIPT
ghost $route
tick 20
$(route_until 70)
shot $out/ghost.png
SCRIPT

current=true
if $check; then
    for made in "$out"/*.png; do
        name=$(basename "$made")
        cmp -s "$made" "$docs/$name" && continue
        echo "docs-pictures: docs/$name is not what the game draws now; tools/docs-pictures.sh makes it again"
        current=false
    done
fi
film_is_current || current=false
$current && $check && echo "docs-pictures: the pictures and the film are current"
$check && ! $current && exit 1
exit 0
