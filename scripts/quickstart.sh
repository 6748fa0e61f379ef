#!/usr/bin/env bash
# Sets everything up, renders the example scripts to WAV files with the
# bundled voice, and plays one of them where a sound device exists.
set -euo pipefail
cd "$(dirname "$0")/.."

"$PWD/scripts/build.sh"

mkdir -p out
for script in examples/*.txt; do
  name=$(basename "$script" .txt)
  echo "== $script -> out/$name.wav"
  build/yomiage -o "-f:out/$name.wav" "$script" | iconv -f CP932 -t UTF-8
done

if aplay -l 2>/dev/null | grep -q '^card'; then
  echo "== playing examples/story-utf8.txt"
  build/yomiage examples/story-utf8.txt
else
  echo "== no sound device here: listen to the files in out/ instead"
fi
