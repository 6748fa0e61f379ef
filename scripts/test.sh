#!/usr/bin/env bash
# Installs what the build needs, builds yomiage and runs every test.
#   scripts/test.sh               -> the normal build
#   scripts/test.sh --sanitize    -> the same tests under the address and UB sanitizers
set -euo pipefail
cd "$(dirname "$0")/.."

"$PWD/scripts/build.sh" "$@"
dir=build
[ "${1:-}" = "--sanitize" ] && dir=build-sanitize
ctest --test-dir "$dir" --output-on-failure -j"$(nproc)" --timeout 300
