#!/usr/bin/env bash
# The main job: sets up and builds, then runs KV_DivezUrez_2 in cadhost on the bundled sample
# drawing (samples/demo.scr): the sheets plotted to PDF files, then merged into one PDF.
# It builds only what it runs (cadhost, the 2025 module and its plug-in folder), optimised, in
# a build folder of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=build-demo
BUILD_DIR="$BUILD_DIR" BUILD_TYPE=Release scripts/setup.sh cadhost zw2025
OUT=out
# A fresh emulated machine each run: the window keeps its options there.
rm -rf "$OUT"
mkdir -p "$OUT"
cp samples/sample.dxf "$OUT/sample.dxf"
# The session script's paths are relative to this folder; the PDF files land beside the drawing.
"$BUILD_DIR/bin/cadhost" --root "$OUT/machine" \
  --module "$BUILD_DIR/zw2025/Brelmor.so" \
  --script samples/demo.scr \
  "$OUT/sample.dxf"
echo
echo "demo: one PDF file a sheet:"
ls -1 "$OUT"/PDF/*.pdf | sed 's/^/  /'
echo "demo: all sheets in one PDF: $OUT/merged.pdf"
echo "demo: the result window after detection: $OUT/result-window.png"
