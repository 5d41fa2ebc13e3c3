#!/bin/sh
# pack-media.sh <game-dir> <out-dir>: the generator's media, made small for
# the page: pictures gzipped (the page unpacks them), sounds losslessly as
# FLAC (Web Audio decodes it), the MP3, the shaders and the courses as they
# are; and media.json, which names each file the game asks for and where it
# is. The page's icons (made beside <game-dir>, in web-icons/) go in as they
# are.
set -eu
src=$1
out=$2/media
rm -rf "$out"
mkdir -p "$out/images" "$out/sounds" "$out/shaders" "$out/courses"
entries=""
add() {  # add <name the game uses> <file under media/>
    entries="$entries${entries:+,
}  \"$1\": \"media/$2\""
}
for f in "$src"/images/*.bmp; do
    name=$(basename "$f")
    gzip -9nc "$f" > "$out/images/$name.gz"
    add "images/$name" "images/$name.gz"
done
for f in "$src"/sounds/*; do
    name=$(basename "$f")
    case "$name" in
    *.wav)
        flac --best --silent --force --output-name="$out/sounds/${name%.wav}.flac" "$f"
        add "sounds/$name" "sounds/${name%.wav}.flac" ;;
    *)
        cp "$f" "$out/sounds/$name"
        add "sounds/$name" "sounds/$name" ;;
    esac
done
for f in "$src"/shaders/*; do
    [ -f "$f" ] || continue
    name=$(basename "$f")
    cp "$f" "$out/shaders/$name"
    add "shaders/$name" "shaders/$name"
done
for f in "$src"/courses/*.course; do
    [ -f "$f" ] || continue
    name=$(basename "$f")
    cp "$f" "$out/courses/$name"
    add "courses/$name" "courses/$name"
done
cp "$src"/../web-icons/icon-*.png "$out/"
printf '{\n%s\n}\n' "$entries" > "$out/media.json"
