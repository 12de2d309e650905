#!/usr/bin/env bash
# Formats the C++ sources of the tree with the committed .clang-format.
#   tools/format.sh          format in place
#   tools/format.sh --check  list files that would change (exit 1 if any)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [[ "${1:-}" == "--check" ]]; then
  status=0
  for f in "${files[@]}"; do
    if ! clang-format --dry-run -Werror "$f" >/dev/null 2>&1; then
      echo "$f"
      status=1
    fi
  done
  exit $status
fi
clang-format -i "${files[@]}"
