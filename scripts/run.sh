#!/bin/sh
# Installs what is missing, builds Fyx and starts it under wine. With no
# DISPLAY it runs on a private Xvfb, saves a screenshot and closes it again.
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/scripts/xvfb.sh"
"$top/scripts/setup.sh"
"$top/scripts/build.sh" x86_64 -DFYX_BUILD_TESTS=OFF
run="$top/build/x86_64/wine-run.sh"
export WINEPREFIX="$top/build/x86_64/wineprefix"
cleanup() {
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  /usr/lib/wine/wineserver -w 2>/dev/null || true
  fyx_stop_xvfb
}
trap cleanup EXIT
# The program folder (where "Fyx.ini" lives) is the folder Fyx starts in.
cd "$top/build/x86_64/bin"
if [ -n "${DISPLAY:-}" ]; then
  "$run" "$top/build/x86_64/bin/Fyx.exe"
  exit 0
fi
fyx_start_xvfb
# Wine's background services start on this display, detached from our output.
"$run" cmd /c exit >/dev/null 2>&1 </dev/null || true
shot="${FYX_SCREENSHOT:-$top/build/fyx-screenshot.png}"
"$run" "$top/build/x86_64/bin/Fyx.exe" &
i=0
until xwininfo -root -tree 2>/dev/null | grep -q '"Fyx 1.2'; do
  sleep 0.5; i=$((i + 1))
  [ $i -lt 120 ] || { echo "Fyx did not show its window"; exit 1; }
done
sleep 2
id=$(xwininfo -root -tree | grep '"Fyx 1.2' | head -n 1 | awk '{print $1}')
import -window "$id" "$shot"
echo "screenshot of the main window: $shot"
