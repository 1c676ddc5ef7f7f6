#!/usr/bin/env bash
# Setup, build both module flavours and the platform, run every test, then list the skipped
# tests under the reason each gave.
# With KORVEL_CI_SANITIZE=1 (CI) the demo and the session tests then run again under
# AddressSanitizer and UndefinedBehaviorSanitizer (scripts/sanitize.sh, in build-asan).
# With KORVEL_WERROR=1 (CI) a compiler warning fails the build.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
BUILD_DIR="$BUILD_DIR" scripts/setup.sh
# ctest writes the file inside the build folder.
results=Testing/test-results.xml
rm -f "$BUILD_DIR/$results"
status=0
ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)" --output-junit "$results" || status=$?
if [ -f "$BUILD_DIR/$results" ]; then
  echo
  scripts/skipped_tests.py "$BUILD_DIR/$results"
fi
[ "$status" -eq 0 ] || exit "$status"
if [ "${KORVEL_CI_SANITIZE:-0}" = 1 ]; then
  scripts/sanitize.sh
fi
