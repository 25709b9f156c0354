#!/bin/sh
# Configures and builds one architecture: scripts/build.sh x86_64|i686 [extra cmake args]
set -e
arch=${1:?usage: build.sh x86_64|i686}
shift
top=$(cd "$(dirname "$0")/.." && pwd)
dir="$top/build/$arch"
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-$arch.cmake" "$@" >/dev/null
fi
cmake --build "$dir" -- -k 0
