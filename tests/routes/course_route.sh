#!/bin/sh
# A shipped course's route played by a replay tool (the desktop's, or the
# node one as `node skycourse-replay.js`) from the game folder, where the
# course is found by name: it must reach the ring.
# usage: course_route.sh GAME_DIR ROUTE REPLAY...
set -eu
game=$1
route=$2
shift 2
# The last tick's row: a route may end with `items` rows after it.
rows=$(cd "$game" && "$@" "$route" | grep '^[0-9]' | tail -n 1)
state=$(echo "$rows" | cut -d, -f2)
if [ "$state" != 1 ]; then
    echo "$route: the last row is not at the ring: $rows"
    exit 1
fi
echo "$route reaches the ring at tick $(echo "$rows" | cut -d, -f1)"
