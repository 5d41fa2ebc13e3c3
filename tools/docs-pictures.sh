#!/bin/sh
# Makes the pictures under docs/ with the replay tool's `shot` command, from
# scripts that play the game's own simulation. Needs a built game folder and
# an X display; without one it starts a private Xvfb.
#   tools/docs-pictures.sh [build-dir]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
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

# The route's ghost beside the ball on the first disc: the same route, the
# ball setting off half a second after the ghost.
shoot ghost <<SCRIPT
ghost $route
tick 20
$(route_until 70)
shot $docs/ghost.png
SCRIPT
