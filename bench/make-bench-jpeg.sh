#!/usr/bin/env bash
# Makes the 12-megapixel photo-like JPEG (4000 x 3000, 4:2:0, quality 90) that the glyph
# benchmarks decode. Usage: make-bench-jpeg.sh OUT.jpg
set -euo pipefail
convert -size 4000x3000 -seed 11 plasma:orange-navy -blur 0x1 -attenuate 0.4 +noise Gaussian \
  -quality 90 -sampling-factor 2x2 "$1"
