#!/usr/bin/env bash
# Renders the program icon's PNG sizes from packaging/icons/quenda.svg. The
# PNGs are kept in the repository so the build needs no SVG renderer; run
# this after changing the SVG (needs rsvg-convert, package librsvg2-bin).
set -euo pipefail
icons="$(cd "$(dirname "$0")/.." && pwd)/packaging/icons"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" "$icons/quenda.svg" -o "$icons/quenda-$size.png"
done
