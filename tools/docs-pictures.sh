#!/bin/sh
# Makes the pictures under docs/ with the replay tool's `shot` command, from
# scripts that play the game's own simulation. Needs a built game folder and
# an X display; without one it starts a private Xvfb. Afterwards, or alone
# with --check, it names each picture and film under docs/ that is older
# than a change to the media that made it (the picture generator, the
# shaders, the manifest), by the repository's history: a file committed in a
# history that already held the change is current.
#   tools/docs-pictures.sh [build-dir]
#   tools/docs-pictures.sh --check     (exit 1 when any is older)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)

# The pictures' makers; the sounds' are no part of a silent picture.
media="tools/mediagen shaders assets/media_manifest.h :(exclude)tools/mediagen/effects.cpp
       :(exclude)tools/mediagen/music.cpp :(exclude)tools/mediagen/sound.cpp
       :(exclude)tools/mediagen/levels.h"
# Prints a line for a file under docs/ that the media changed after.
older_than_media() {  # path relative to the root
    git -C "$root" diff --quiet HEAD -- "$1" 2>/dev/null || return 0  # made again, not committed yet
    made=$(git -C "$root" log -1 --format=%H -- "$1")
    [ -n "$made" ] || return 0
    changes=$(git -C "$root" rev-list --no-merges --count "$made"..HEAD -- $media)
    [ "$changes" = 0 ] && return 0
    latest=$(git -C "$root" log --no-merges -1 --format='%h %s' "$made"..HEAD -- $media | cut -c1-72)
    echo "docs-pictures: $1 is older than $changes change(s) to the media that made it, the latest $latest"
}
check_docs() {
    if ! git -C "$root" rev-parse --git-dir >/dev/null 2>&1; then
        echo "docs-pictures: no repository history here, so no check of the pictures' age" >&2
        return 0
    fi
    found=$(cd "$root" && for f in docs/*.png docs/*.mp4; do [ -e "$f" ] && older_than_media "$f"; done; true)
    [ -z "$found" ] && { echo "docs-pictures: every picture and film under docs/ is as new as its media"; return 0; }
    echo "$found"
    echo "docs-pictures: make them again (tools/docs-pictures.sh for the pictures, make film for the film)"
    return 1
}
if [ "${1:-}" = --check ]; then
    check_docs
    exit
fi

build=${1:-$root/build}
replay=$build/game/skycourse-replay
docs=$root/docs
[ -x "$replay" ] || { echo "docs-pictures: build the game first ($replay missing)" >&2; exit 1; }
mkdir -p "$docs"

tool=docs-pictures
. "$root/tools/private-display.sh"

shoot() {  # name, then the script on stdin
    "$replay" >/dev/null
    echo "docs-pictures: $docs/$1.png"
}

# The start pad, the ball and the swaying discs ahead.
shoot start <<SCRIPT
tick 8
shot $docs/start.png
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
shot $docs/discs.png
SCRIPT

# The ball's own view from the pad, turned a quarter to the right.
shoot ball-view <<SCRIPT
key down 99
key up 99
special down RIGHT shift
special up RIGHT
tick 8
shot $docs/ball-view.png
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
shot $docs/gate.png
SCRIPT

# The grown ball in flight to the last summit platform, the ring above it.
shoot summit <<SCRIPT
$(route_until 9212)
shot $docs/summit.png
SCRIPT

check_docs || true
