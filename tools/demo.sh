#!/usr/bin/env bash
# Builds Quenda and starts it on the bundled sample salon folder, with the
# sample photo Modelo.JPG open (or the photos and options given instead).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target quenda salon
# Without arguments the sample photo opens, so the program is seen at work
# from the first moment; the program started on its own still starts empty.
if [ "$#" -eq 0 ]; then
  set -- "$root/build/salon/Modelo.JPG"
fi
exec "$root/build/salon/quenda" "$@"
