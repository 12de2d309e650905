#!/usr/bin/env bash
# Builds Quenda with its tests and runs every test.
#   tools/test.sh             normal build in build/
#   tools/test.sh --sanitize  AddressSanitizer + UBSan build in build-asan/
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"

build="$root/build"
extra=()
if [[ "${1:-}" == "--sanitize" ]]; then
  build="$root/build-asan"
  extra=(-DQUENDA_SANITIZE=ON -DQUENDA_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
cmake -S "$root" -B "$build" -G Ninja "${extra[@]}" >/dev/null
cmake --build "$build"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j2 --timeout 300
