#!/bin/sh
# make-worker.sh <template> <out-dir>: the service worker for the page in
# <out-dir>, listing every file the page loads and versioned by a hash of
# them all, so that any change to the page, the game or its media is a new
# worker with a new cache.
set -eu
template=$1
out=$2
cd "$out"
list=$( { echo index.html; echo page.js; echo skycourse.js; echo skycourse.wasm; echo manifest.webmanifest
          find media -type f | LC_ALL=C sort; } )
version=$(cat $list | sha256sum | cut -c1-16)
files="'./'"
for f in $list; do files="$files, './$f'"; done
sed -e "s|@VERSION@|$version|" -e "s|@FILES@|$files|" "$template" > sw.js.new
mv sw.js.new sw.js
