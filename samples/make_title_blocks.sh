#!/usr/bin/env bash
# Writes BPlot_TK.tk, the title-block library of the sample drawing, with the plug-in itself:
# cadhost runs the definition session title_blocks.scr (KV_DivezUrez_3) on sample.dxf in a
# fresh emulated machine, and the library file the dialog's OK left in its per-user folder is
# copied beside this script.
# Run: samples/make_title_blocks.sh [BUILD_DIR]  (default build; cadhost and the 2025 module are
# built there when missing)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${1:-build}"
if [ ! -x "$BUILD_DIR/bin/cadhost" ] || [ ! -f "$BUILD_DIR/zw2025/Brelmor.so" ]; then
  BUILD_DIR="$BUILD_DIR" scripts/setup.sh cadhost zw2025
fi
MACHINE="$(mktemp -d)"
trap 'rm -rf "$MACHINE"' EXIT
"$BUILD_DIR/bin/cadhost" --root "$MACHINE" --module "$BUILD_DIR/zw2025/Brelmor.so" \
  --script samples/title_blocks.scr samples/sample.dxf >"$MACHINE/session.out" ||
  { cat "$MACHINE/session.out"; exit 1; }
cp "$MACHINE/c/Users/korvel/AppData/Roaming/Korvel/BPlot_TK.tk" samples/BPlot_TK.tk
echo "make_title_blocks: wrote samples/BPlot_TK.tk"
