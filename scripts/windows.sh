#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Norvan for 64-bit Windows on Debian: installs what is missing, gets
# the static Windows Qt (scripts/qt-windows.sh builds it once, in about 20
# minutes, and keeps it), and cross-builds the whole tree into build-windows/,
# so that build-windows/norvan.exe is the program as one file. The tests are
# Windows programs too; run them under Wine with: ctest --test-dir build-windows
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}

scripts/setup.sh windows
qt=$(scripts/qt-windows.sh)

# A build made with another Qt keeps that Qt's package folders in its cache.
if [ -f "$build/CMakeCache.txt" ] &&
  ! grep -qxF "CMAKE_FIND_ROOT_PATH:UNINITIALIZED=$qt" "$build/CMakeCache.txt"; then
  rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_FIND_ROOT_PATH="$qt" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >/dev/null
cmake --build "$build" -j"$(nproc)"

# One file: every DLL it loads must be one of Windows' own, which Wine
# provides too, or an API set (api-ms-win-*), which Windows resolves to its
# own DLLs; no Qt, no compiler runtime, no thread library beside it.
program=$build/norvan.exe
system=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
dlls=$(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^\s*DLL Name: //p')
foreign=()
for dll in $dlls; do
  lower=${dll,,}
  case $lower in lib* | qt* | *pthread* | *gcc* | *stdc++*) foreign+=("$dll"); continue ;; esac
  case $lower in api-ms-win-* | ext-ms-win-*) continue ;; esac
  [ -e "$system/$lower" ] || foreign+=("$dll")
done
if [ ${#foreign[@]} -gt 0 ]; then
  echo "windows.sh: $program needs DLLs that Windows does not have: ${foreign[*]}" >&2
  exit 1
fi
echo "$program: $(stat -c %s "$program") bytes, uses $(echo $dlls | tr ' ' ',')"
