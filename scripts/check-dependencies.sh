#!/bin/sh
# Every shipped .exe and .dll may import only system DLLs and our own DLLs:
# nothing of the mingw runtime may be needed beside them.
dir=${1:?usage: check-dependencies.sh BIN_DIR}

status=0
count=0
for f in "$dir"/*.exe "$dir"/*.dll "$dir"/*.DLL; do
  [ -f "$f" ] || continue
  count=$((count + 1))
  for dll in $(x86_64-w64-mingw32-objdump -p "$f" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z'); do
    case "$dll" in
      libgcc*|libstdc++*|libwinpthread*|zlib1.dll|mingwm10.dll)
        echo "$(basename "$f") needs $dll"; status=1 ;;
    esac
  done
  # The 32-bit release must load on Windows before Vista: no bcrypt.dll or
  # GetTickCount64 by import (both are looked up at run time instead).
  if x86_64-w64-mingw32-objdump -p "$f" | grep -q 'file format pei-i386'; then
    if x86_64-w64-mingw32-objdump -p "$f" | grep -qiE 'DLL Name: bcrypt.dll|\bGetTickCount64\b'; then
      echo "$(basename "$f") imports what Windows XP lacks"; status=1
    fi
  fi
done
[ "$count" -gt 0 ] || { echo "no programs in $dir"; exit 1; }
[ $status -eq 0 ] && echo "$count programs and libraries need no runtime DLL"
exit $status
