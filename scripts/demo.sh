#!/usr/bin/env bash
# The main job: sets up and builds, then runs KV_DivezUrez_2 in cadhost on the bundled sample
# drawing (samples/demo.scr): the sheets plotted to PDF files, then merged into one PDF. Then
# the title-block batch KV_DivezUrez_4 on a second copy (samples/demo_title_blocks.scr), with
# the sample's title-block library samples/BPlot_TK.tk in the machine's per-user folder.
# It builds only what it runs (cadhost, the 2025 module and its plug-in folder), optimised, in
# a build folder of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=build-demo
BUILD_DIR="$BUILD_DIR" BUILD_TYPE=Release scripts/setup.sh cadhost zw2025
OUT=out
# A fresh emulated machine each run: the window keeps its options there.
rm -rf "$OUT"
mkdir -p "$OUT/title-blocks" "$OUT/machine/c/Users/korvel/AppData/Roaming/Korvel"
cp samples/sample.dxf "$OUT/sample.dxf"
cp samples/sample.dxf "$OUT/title-blocks/sample.dxf"
cp samples/BPlot_TK.tk "$OUT/machine/c/Users/korvel/AppData/Roaming/Korvel/BPlot_TK.tk"
# The session scripts' paths are relative to this folder; the PDF files land beside the drawing.
run_session() {
  "$BUILD_DIR/bin/cadhost" --root "$OUT/machine" \
    --module "$BUILD_DIR/zw2025/Brelmor.so" \
    --script "$1" \
    "$2"
}
run_session samples/demo.scr "$OUT/sample.dxf"
run_session samples/demo_title_blocks.scr "$OUT/title-blocks/sample.dxf"
echo
echo "demo: one PDF file a sheet:"
ls -1 "$OUT"/PDF/*.pdf | sed 's/^/  /'
echo "demo: all sheets in one PDF: $OUT/merged.pdf"
echo "demo: the result window after detection: $OUT/result-window.png"
echo "demo: by title block, one PDF file a sheet named by drawing number and title:"
ls -1 "$OUT"/title-blocks/PDF/*.pdf | sed 's/^/  /'
echo "demo: all of them in one PDF with an outline: $OUT/title-blocks/merged.pdf"
