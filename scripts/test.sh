#!/bin/sh
# The whole test suite from nothing: installs, builds both architectures, runs
# every test under wine and a private Xvfb, and leaves no process behind.
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/scripts/xvfb.sh"
"$top/scripts/setup.sh"
"$top/scripts/build.sh" i686 -DFYX_BUILD_TESTS=OFF
"$top/scripts/check-dependencies.sh" "$top/build/i686/bin"
"$top/scripts/build.sh" x86_64
"$top/scripts/native.sh"

export WINEPREFIX="$top/build/x86_64/wineprefix"
cleanup() {
  WINEPREFIX="$WINEPREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true
  WINEPREFIX="$WINEPREFIX" /usr/lib/wine/wineserver -w 2>/dev/null || true
  fyx_stop_xvfb
}
trap cleanup EXIT
fyx_start_xvfb
WINEPREFIX="$WINEPREFIX" /usr/lib/wine/wineserver -p 2>/dev/null || true
# The first program starts wine's background services; started here with no
# terminal attached, they cannot hold a test's output pipe open.
"$top/build/x86_64/wine-run.sh" cmd /c exit >/dev/null 2>&1 </dev/null || true
cd "$top/build/x86_64"
ctest --output-on-failure -j2 "$@"
