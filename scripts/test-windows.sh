#!/usr/bin/env bash
# Builds both Windows targets and runs their tests: checks of the built files,
# and the program end to end under Wine. A target that this machine cannot run
# under Wine at all is reported as skipped, with the reason.
set -euo pipefail
cd "$(dirname "$0")/.."

"$PWD/scripts/build-windows.sh"

status=0
for dir in build-win32 build-win64; do
  echo "== $dir"
  ctest --test-dir "$dir" --output-on-failure || status=1
  grep -h '^SKIPPED:' "$dir/Testing/Temporary/LastTest.log" | sed "s|^|$dir: |" || true
done
exit $status
