#!/usr/bin/env bash
# Renders the program's icon into the PNG sizes of the hicolor theme
# (desktop/icons/hicolor/NxN/apps). Run by hand after the SVG changes; the
# PNGs are kept in the repository so that the build needs no SVG renderer.
# Needs rsvg-convert (librsvg2-bin) or inkscape.
set -euo pipefail
cd "$(dirname "$0")/../desktop/icons"
for size in 16 24 32 48 64 128 256; do
  out="hicolor/${size}x${size}/apps/org.kartela.Kartela.png"
  mkdir -p "$(dirname "$out")"
  if command -v rsvg-convert >/dev/null; then
    rsvg-convert -w "$size" -h "$size" org.kartela.Kartela.svg -o "$out"
  else
    inkscape --export-type=png --export-width="$size" --export-height="$size" \
      --export-filename="$out" org.kartela.Kartela.svg 2>/dev/null
  fi
done
