#!/bin/sh
# Benchmark of our RAR extraction against libarchive's, native, optimised,
# without sanitizers: archivers/rarlib/bench/run.sh [testdata/rar folder]
set -e
top=$(cd "$(dirname "$0")/../../.." && pwd)
if [ ! -f /usr/include/archive.h ]; then
  apt-get update >/dev/null && apt-get install -y libarchive-dev >/dev/null
fi
dir="$top/build/native-bench"
cmake -S "$top/archivers/native" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DFYX_SANITIZE=OFF \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build "$dir" --target rar_bench -- -j2
data=${1:-$(cd "$top/../shared/testdata/rar" 2>/dev/null && pwd || echo "$top/../shared/testdata/rar")}
"$dir/rarlib/bench/rar_bench" "$data"
