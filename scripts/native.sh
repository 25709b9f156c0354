#!/bin/sh
# Native Linux build and tests of the portable archive cores (sanitizers, short fuzz runs).
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
dir="$top/build/native"
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$top/archivers/native" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
fi
cmake --build "$dir" -- -k 0
cd "$dir"
ctest --output-on-failure -j2 "$@"
