#!/bin/sh
# The folders of app/ are layers: each may include only its own folder and
# those below it, and the two shells never include each other. Prints every
# include that reaches up and fails when there is one.
set -eu
root=${1:-$(dirname "$0")/../..}
rank() {
    case $1 in
        files) echo 1 ;; input) echo 2 ;; script) echo 3 ;; play) echo 4 ;; race) echo 5 ;;
        menu) echo 6 ;; front) echo 7 ;; desktop|web) echo 8 ;; *) echo 0 ;;
    esac
}
bad=0
for file in "$root"/app/*/*.cpp "$root"/app/*/*.h; do
    folder=$(basename "$(dirname "$file")")
    mine=$(rank "$folder")
    for used in $(sed -n 's|^#include "app/\([a-z_]*\)/.*|\1|p' "$file" | sort -u); do
        theirs=$(rank "$used")
        if [ "$theirs" -eq 0 ] || [ "$theirs" -gt "$mine" ] || { [ "$theirs" -eq 8 ] && [ "$used" != "$folder" ]; }; then
            echo "${file#"$root"/} includes app/$used/, a layer above or beside app/$folder/"
            bad=1
        fi
    done
done
# Nor do the world and the simulation include anything of the game around them.
if grep -n '#include "\(app\|render\|assets\)/' "$root"/world/* "$root"/sim/*; then bad=1; fi
exit $bad
