#!/usr/bin/env bash
# Installs what the Windows builds need and cross-builds yomiage.exe and the
# test engine DLL for both Windows targets:
#   build-win32/  32-bit (i686): the build that loads a 32-bit engine DLL
#   build-win64/  64-bit (x86_64)
set -euo pipefail
cd "$(dirname "$0")/.."

"$PWD/scripts/install-windows-deps.sh"

for target in win32:i686 win64:x86_64; do
  dir=build-${target%%:*}
  cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-${target##*:}.cmake" >/dev/null
  cmake --build "$dir" -j2
done
