#!/usr/bin/env bash
# Fuzzes the DXF reader with libFuzzer (clang, AddressSanitizer).
#   scripts/fuzz_dxf.sh [SECONDS]        default 300
# Builds the platform with clang into build-fuzz/, seeds the corpus with the DXF fixtures and
# runs the fuzzer. An input that crashes it is written to tests/platform/dxf/fuzz/crashes/,
# where the DxfFuzzRegressions test of test_dxf reads it back on every run: fix the reader,
# keep the file.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_TO_RUN="${1:-300}"
BUILD=build-fuzz
FLAGS="-fsanitize=address,undefined -fsanitize=fuzzer-no-link -g -O1"
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="$FLAGS" -DCMAKE_C_FLAGS="$FLAGS" \
  -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" > /dev/null
cmake --build "$BUILD" --target zc_dxf
clang++ -std=c++20 -fsanitize=address,undefined,fuzzer -g -O1 -Iplatform \
  tests/platform/dxf/fuzz/dxf_fuzz.cpp -o "$BUILD/dxf_fuzz" \
  -L"$BUILD/lib" -Wl,-rpath,"$PWD/$BUILD/lib" -Wl,--no-as-needed -lzc_dxf -lzc_db -lzc_ge -lzc_rx -lzc_win -lzc_script
CORPUS="$BUILD/corpus"
mkdir -p "$CORPUS"
cp tests/fixtures/dxf/*.dxf "$CORPUS/"
cp tests/platform/dxf/fuzz/crashes/* "$CORPUS/" 2>/dev/null || true
"$BUILD/dxf_fuzz" "$CORPUS" -max_total_time="$SECONDS_TO_RUN" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix=tests/platform/dxf/fuzz/crashes/
