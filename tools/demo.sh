#!/usr/bin/env bash
# Builds Quenda and starts it on the bundled sample salon folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target quenda salon
exec "$root/build/salon/quenda" "$@"
