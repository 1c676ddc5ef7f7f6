#!/usr/bin/env bash
# Setup, build both module flavours and the platform, run every test.
# With KORVEL_CI_SANITIZE=1 (CI) the demo and the session tests then run again under
# AddressSanitizer and UndefinedBehaviorSanitizer (scripts/sanitize.sh, in build-asan).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j "$(nproc)"
if [ "${KORVEL_CI_SANITIZE:-0}" = 1 ]; then
  scripts/sanitize.sh
fi
