#!/usr/bin/env bash
# Builds cadhost, both module flavours and the end-to-end tests with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan, then runs the demo session and the end-to-end tests
# there. Any sanitizer report, in cadhost or in a program it starts, fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT="$PWD"
BUILD_DIR="${BUILD_DIR:-build-asan}"
JOBS="${JOBS:-$(nproc)}"
# The sessions of cadhost; the window layer's in-process tests.
TEST_EXES=(test_e2e test_companion test_mfc_dialogs)
TARGETS=(cadhost zw2021 zw2025 "${TEST_EXES[@]}")

scripts/configure.sh "$BUILD_DIR" -DKORVEL_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" -DCMAKE_C_FLAGS_DEBUG="-O1 -g1"
cmake --build "$BUILD_DIR" -j "$JOBS" --target "${TARGETS[@]}"

# Reports go to files (one a process), so that a report of a program whose exit status a test
# expects to be non-zero is not taken for the expected failure.
REPORTS="$ROOT/$BUILD_DIR/sanitizer-reports"
rm -rf "$REPORTS"
mkdir -p "$REPORTS"
# No leak checking: all it finds is the host's cache of window images, which lives until the
# process ends.
export ASAN_OPTIONS="detect_leaks=0:halt_on_error=1:abort_on_error=0:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1:log_path=$REPORTS/asan"
# Sanitized, a long session takes about three times as long.
export KORVEL_CADHOST_TIMEOUT=300
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$REPORTS/ubsan"

status=0
# The demo session, in a folder of its own (the script's paths are relative to it).
DEMO="$ROOT/$BUILD_DIR/demo"
rm -rf "$DEMO"
mkdir -p "$DEMO/out"
cp samples/sample.dxf "$DEMO/out/sample.dxf"
echo "sanitize: demo session"
(cd "$DEMO" && "$ROOT/$BUILD_DIR/bin/cadhost" --root out/machine \
  --module "$ROOT/$BUILD_DIR/zw2025/Brelmor.so" --script "$ROOT/samples/demo.scr" out/sample.dxf \
  >"$DEMO/cadhost.out" 2>&1) || { echo "sanitize: the demo session failed (see $DEMO/cadhost.out)"; status=1; }

echo "sanitize: end-to-end tests"
# Every test of the session executables, by suite (listing them runs them sanitized, too).
suites=""
for exe in "${TEST_EXES[@]}"; do
  listed=$("$BUILD_DIR/tests/$exe" --gtest_list_tests) || { echo "sanitize: $exe did not list its tests"; status=1; continue; }
  suites+=$(sed -n 's/^\([^ ].*\)\.$/\1|/p' <<<"$listed" | tr -d '\n')
done
ctest --test-dir "$BUILD_DIR" -j "$JOBS" --output-on-failure --no-tests=error -R "^(${suites%|})\." || status=1

if [ -n "$(ls -A "$REPORTS")" ]; then
  echo "sanitize: sanitizer reports:"
  for report in "$REPORTS"/*; do
    echo "== $report"
    cat "$report"
  done
  status=1
fi
[ "$status" -eq 0 ] && echo "sanitize: clean"
exit "$status"
