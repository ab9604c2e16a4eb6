#!/bin/sh
# Installs everything the build and the tests need on a Debian 12 machine.
# Shared by the README's commands and by .ci/run, so that CI cannot pass on a
# package that was only installed by hand.
set -eu

PACKAGES="
cmake make g++ ninja-build
googletest libgtest-dev
clang-format
e2fsprogs
binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-posix
wine64 libwine fonts-wine
xvfb xdotool openbox x11-utils imagemagick
"

missing=""
for p in $PACKAGES; do
	dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing="$missing $p"
done

if [ -n "$missing" ]; then
	SUDO=""
	[ "$(id -u)" = 0 ] || SUDO=sudo
	export DEBIAN_FRONTEND=noninteractive
	$SUDO apt-get update
	# shellcheck disable=SC2086
	$SUDO apt-get install -y --no-install-recommends $missing
fi
