#!/usr/bin/env bash
# Draws the PNG icons in packaging/icons from velmora.svg (run after changing the SVG; the
# PNGs are kept in the repository so that a build needs no SVG renderer).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
icons="$root/packaging/icons"
if ! command -v rsvg-convert >/dev/null; then
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends librsvg2-bin
fi
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" "$icons/velmora.svg" -o "$icons/velmora-$size.png"
done
