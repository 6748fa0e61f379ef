#!/usr/bin/env bash
# Builds both Windows targets and packs one zip for each:
#   out/windows/yomiage-windows-x86.zip   (32-bit: loads a 32-bit engine DLL)
#   out/windows/yomiage-windows-x64.zip   (64-bit: loads a 64-bit engine DLL)
# Each holds yomiage.exe, an empty dll\default\ folder with a note on the
# engine DLL, README.md and the example scripts.
set -euo pipefail
cd "$(dirname "$0")/.."

"$PWD/scripts/build-windows.sh"

out=$PWD/out/windows
mkdir -p "$out"
for target in win32:i686:x86 win64:x86_64:x64; do
  IFS=: read -r build triplet name <<<"$target"
  stage=$(mktemp -d)
  top=$stage/yomiage
  mkdir -p "$top/dll/default" "$top/examples"
  "$triplet-w64-mingw32-strip" -o "$top/yomiage.exe" "build-$build/yomiage.exe"
  cp README.md "$top/"
  cp examples/* "$top/examples/"
  # In the program's own code page and with Windows line ends, like every
  # text file that yomiage.exe reads or writes.
  sed 's/$/\r/' <<NOTE | iconv -f UTF-8 -t CP932 >"$top/dll/default/README.txt"
Put the speech engine here: dll\\default\\AquesTalk.dll

yomiage.exe loads dll\\default\\AquesTalk.dll from the folder it is in. This
is the $([ "$name" = x86 ] && echo 32-bit || echo 64-bit) build of yomiage, so the engine DLL must be $([ "$name" = x86 ] && echo 32-bit || echo 64-bit) too.
Further voices go into dll\\<voice>\\AquesTalk.dll and are chosen in a script
with <-d:<voice>>.

Without an engine DLL yomiage still runs: it prints
"AquesTalk.dllの呼び出しに失敗しました。" and the phrases pass in silence
(with -o, the WAV file holds only the pauses).
NOTE
  rm -f "$out/yomiage-windows-$name.zip"
  (cd "$stage" && zip -q -X -r "$out/yomiage-windows-$name.zip" yomiage)
  rm -rf "$stage"
  echo "$out/yomiage-windows-$name.zip"
done
