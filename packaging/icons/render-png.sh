#!/usr/bin/env bash
# Renders the PNG sizes of the icon from tarvel.svg (needs rsvg-convert from librsvg2-bin). The PNG files are
# committed, so the build itself needs no SVG renderer.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" tarvel.svg -o "tarvel-$size.png"
done
