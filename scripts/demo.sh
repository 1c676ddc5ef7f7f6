#!/usr/bin/env bash
# The main job: open the bundled sample drawing in cadhost, load the module, run a command, save.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
BUILD_DIR="${BUILD_DIR:-build}"
OUT="$BUILD_DIR/demo"
mkdir -p "$OUT"
"$BUILD_DIR/bin/cadhost" --root "$OUT/machine" \
  --module "$BUILD_DIR/zw2025/Brelmor.so" \
  --script samples/demo.scr \
  --save "$OUT/sample-out.dxf" \
  samples/sample.dxf
echo "demo: saved $OUT/sample-out.dxf"
