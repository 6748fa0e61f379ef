#!/usr/bin/env bash
# Installs what the build needs and builds yomiage.
#   scripts/build.sh              -> build/           (the program, its voices, tests, benchmarks)
#   scripts/build.sh --sanitize   -> build-sanitize/  (the same under the address and UB sanitizers)
set -euo pipefail
cd "$(dirname "$0")/.."

"$PWD/scripts/install-deps.sh"

dir=build
flags=()
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-sanitize
  flags=(-DYOMIAGE_SANITIZE=ON -DYOMIAGE_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
fi
cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)"
