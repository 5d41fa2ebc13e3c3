#!/bin/sh
# The Debian package on this machine, as a player gets it: built by `make
# package`, checked by lintian, installed with apt, the installed game
# checked and played as an ordinary user (installed_tests with
# SKYCOURSE_INSTALL_ROOT=/), then removed, leaving /usr as it was.
#   package-test.sh <source dir> <build dir> <installed_tests>
# It installs a package, so it runs as root only (exit 77: skipped).
set -eu
source_dir=$1
build_dir=$2
installed_tests=$3

if [ "$(id -u)" != 0 ]; then
	echo "package test: installs a package, run it as root (make test-package)"
	exit 77
fi
if dpkg-query -W -f='${Status}' skycourse 2>/dev/null | grep -q 'ok installed'; then
	echo "package test: skycourse is installed already; remove it first (apt-get purge skycourse)"
	exit 1
fi

work=$(mktemp -d /tmp/skycourse-package-XXXXXX)
trap 'rm -rf "$work"' EXIT

make -C "$source_dir" package BUILD="$build_dir" DEB_DIR="$work"
deb=$(echo "$work"/skycourse_*_"$(dpkg --print-architecture)".deb)
[ -f "$deb" ] || { echo "package test: no .deb in $work"; exit 1; }

echo "== lintian"
lintian --fail-on error --info "$deb"

echo "== install"
find /usr -xdev | sort > "$work/usr-before"
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$deb"

echo "== the installed game"
status=0
SKYCOURSE_INSTALL_ROOT=/ "$installed_tests" || status=$?
# Anything the menu or the man pages look for is where they look.
for path in /usr/share/applications/skycourse.desktop /usr/share/man/man6/skycourse.6.gz /usr/games/skycourse; do
	[ -e "$path" ] || { echo "package test: $path is not installed"; status=1; }
done
# By name, as a player's login shell finds it: /usr/games is on Debian's
# PATH.
if ! su - -s /bin/sh nobody -c 'skycourse --help' 2>/dev/null | grep -q '^usage: skycourse'; then
	echo "package test: an ordinary user's shell cannot start skycourse by name"
	status=1
fi
dpkg-query -L skycourse > "$work/files"

echo "== remove"
DEBIAN_FRONTEND=noninteractive apt-get purge -y -q skycourse
find /usr -xdev | sort > "$work/usr-after"
if ! diff "$work/usr-before" "$work/usr-after"; then
	echo "package test: removing the package changed /usr (above: < gone, > left behind)"
	status=1
fi
while read -r path; do
	if [ -f "$path" ]; then echo "package test: left behind: $path"; status=1; fi
done < "$work/files"
exit $status
