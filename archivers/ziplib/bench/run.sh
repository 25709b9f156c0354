#!/bin/sh
# Side by side on this machine: our core against Debian's zip -6 -r and unzip,
# on a generated mixed tree of about 200 MB (text, source code, already
# compressed and random data). Prints time and size ratios.
#   archivers/ziplib/bench/run.sh [work folder, default /tmp/fyxzip-bench]
set -e
top=$(cd "$(dirname "$0")/../../.." && pwd)
work=${1:-/tmp/fyxzip-bench}
build="$top/build/native-bench"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$top/archivers/native" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DFYX_SANITIZE=OFF \
    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
fi
cmake --build "$build" --target zip_bench -- -j2 >/dev/null
bench="$build/ziplib/native/zip_bench"

tree="$work/tree"
if [ ! -d "$tree" ]; then
  echo "making the tree in $tree"
  mkdir -p "$tree/text" "$tree/source" "$tree/packed" "$tree/random"
  # Text: prose-like lines with varied words (about 60 MB in 60 files).
  python3 - "$tree/text" <<'PY'
import random, sys
random.seed(1)
words = [w.strip() for w in open('/usr/share/dict/words')] if __import__('os').path.exists('/usr/share/dict/words') else \
    [''.join(random.choice('etaoinshrdlucmfwypvbgkqjxz') for _ in range(random.randint(2, 9))) for _ in range(20000)]
for i in range(60):
    with open(f"{sys.argv[1]}/doc{i:03}.txt", "w") as f:
        size = 0
        while size < 1_000_000:
            line = ' '.join(random.choice(words) for _ in range(random.randint(5, 14))) + '.\n'
            f.write(line); size += len(line)
PY
  # Source code: the system's C and C++ headers, about 50 MB.
  python3 - "$tree/source" <<'PY'
import os, shutil, sys
total = 0
for base, dirs, files in sorted(os.walk('/usr/include')):
    dirs.sort()
    for name in sorted(files):
        src = os.path.join(base, name)
        if total >= 50_000_000 or not os.path.isfile(src) or os.path.islink(src):
            continue
        dst = os.path.join(sys.argv[1], os.path.relpath(src, '/usr/include'))
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        shutil.copyfile(src, dst)
        total += os.path.getsize(src)
PY
  # Already compressed: gzip'd text (about 40 MB).
  for i in $(seq 0 39); do
    head -c 3000000 /dev/urandom | base64 | gzip -6 | head -c 1000000 > "$tree/packed/part$i.gz"
  done
  # Random data (about 50 MB, a few large and many small files).
  for i in 0 1 2 3; do head -c 10000000 /dev/urandom > "$tree/random/big$i.bin"; done
  for i in $(seq 0 99); do head -c 100000 /dev/urandom > "$tree/random/small$i.bin"; done
fi
echo "tree: $(( $(find "$tree" -type f -printf "%s\n" | paste -sd+ | bc) / 1000000 )) MB in $(find "$tree" -type f | wc -l) files"

now() { date +%s.%N; }
measure() { start=$(now); "$@" >/dev/null 2>&1; end=$(now); echo "$end - $start" | bc; }
rm -f "$work/peer.zip" "$work/ours.zip"
sync
peer_pack=$(cd "$tree" && measure zip -6 -r -q "$work/peer.zip" .)
ours_pack1=$(measure "$bench" pack "$work/ours.zip" "$tree" 6 1)
ours_pack=$(measure "$bench" pack "$work/ours.zip" "$tree" 6)
peer_size=$(stat -c %s "$work/peer.zip")
ours_size=$(stat -c %s "$work/ours.zip")
unzip -tqq "$work/ours.zip" || { echo "unzip -t found errors in our archive"; exit 1; }
rm -rf "$work/out-peer" "$work/out-ours"; mkdir -p "$work/out-peer" "$work/out-ours"
peer_unpack=$(measure unzip -q "$work/peer.zip" -d "$work/out-peer")
ours_unpack=$(measure "$bench" unpack "$work/peer.zip" "$work/out-ours")
diff -r "$work/out-peer" "$work/out-ours" >/dev/null || { echo "unpacked trees differ"; exit 1; }
rm -rf "$work/out-peer" "$work/out-ours"

printf "pack   zip -6: %6.2f s  ours: %6.2f s  speed-up %.2fx\n" "$peer_pack" "$ours_pack" "$(echo "$peer_pack / $ours_pack" | bc -l)"
printf "pack   ours on one thread: %6.2f s  speed-up %.2fx\n" "$ours_pack1" "$(echo "$peer_pack / $ours_pack1" | bc -l)"
printf "size   zip -6: %d  ours: %d  ours/zip %.4f\n" "$peer_size" "$ours_size" "$(echo "$ours_size / $peer_size" | bc -l)"
printf "unpack unzip:  %6.2f s  ours: %6.2f s  speed-up %.2fx\n" "$peer_unpack" "$ours_unpack" "$(echo "$peer_unpack / $ours_unpack" | bc -l)"
