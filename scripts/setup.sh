#!/bin/sh
# Installs what building and testing Fyx needs on Debian 12, if missing.
set -e
packages="cmake ninja-build g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
  libz-mingw-w64-dev googletest clang-14 libclang-rt-14-dev zlib1g-dev wine64 xvfb xauth x11-utils imagemagick
  zip unzip libarchive-tools"
missing=""
for p in $packages; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
echo "installing:$missing"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
