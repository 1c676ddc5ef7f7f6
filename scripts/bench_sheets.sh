#!/usr/bin/env bash
# The main job at scale: drawings of 10, 50 and 200 A3 sheets (300 content entities each,
# tests/fixtures/gen_sheets.py), each found and plotted by KV_DivezUrez_2 in cadhost, once to one
# PDF file a sheet and once to one merged PDF, side by side with LibreCAD's dxf2pdf drawing the
# same file as one page. Prints wall time, time per sheet, peak memory and the ratio.
#   scripts/bench_sheets.sh [BUILD_DIR] [SHEETS...]      (default: build-rel 10 50 200)
# Installs librecad when missing; builds cadhost and the 2025 module in a Release build folder.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$repo/build-rel}")
shift || true
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(10 50 200)

if ! command -v librecad >/dev/null 2>&1; then
    SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends librecad
fi
cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target cadhost zw2025 -j4 >/dev/null

work=$(mktemp -d /tmp/korvel_bench_sheets.XXXXXX)
trap 'rm -rf "$work"' EXIT
/usr/bin/python3 "$repo/tests/fixtures/gen_sheets.py" "$work" "${counts[@]}"

# The sheets of the whole drawing, printed to one PDF file a sheet (in PDF/ beside the drawing).
cat >"$work/pdfs.scr" <<'EOF'
command KV_DivezUrez_2
enter
pick 2
@IDD_DLG_BPLOT1 click IDOK
quit
EOF
# The same with the PDF files merged into one.
cat >"$work/merged.scr" <<'EOF'
command KV_DivezUrez_2
enter
pick 2
@IDD_DLG_BPLOT1 check IDC_BP1_MERGE_PDF 1
@IDD_DLG_BPLOT1 click IDOK
file "merged.pdf"
quit
EOF

# Runs a command under /usr/bin/time; sets WALL (s) and PEAK (MB); fails when the command does.
measure() {
    local log="$work/time.log"
    /usr/bin/time -v -o "$log" "$@" >"$work/last.out" 2>&1 || { echo "failed: $*" >&2; tail -20 "$work/last.out" >&2; return 1; }
    WALL=$(awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, p, ":"); s = 0; for (i = 1; i <= n; ++i) s = s * 60 + p[i]; print s }' "$log")
    PEAK=$(awk -F': ' '/Maximum resident set size/ { printf "%.0f", $2 / 1024 }' "$log")
}

printf '%-7s %-13s %9s %12s %9s %8s %s\n' sheets run "wall s" "ms/sheet" "peak MB" ratio files
for n in "${counts[@]}"; do
    dir="$work/librecad_$n" && mkdir -p "$dir" && cp "$work/sheets_$n.dxf" "$dir/drawing.dxf"
    # dxf2pdf writes drawing.pdf beside the drawing (its -o takes no value).
    measure env QT_QPA_PLATFORM=offscreen librecad dxf2pdf "$dir/drawing.dxf"
    peer=$WALL
    printf '%-7s %-13s %9.2f %12.1f %9s %8s %s\n' "$n" dxf2pdf "$WALL" "$(echo "$WALL * 1000 / $n" | bc -l)" "$PEAK" 1.00 \
        "$(ls "$dir"/*.pdf 2>/dev/null | wc -l)"
    # One fresh machine and one fresh copy of the drawing per run.
    for script in pdfs merged; do
        dir="$work/run_${n}_$script"
        rm -rf "$dir" && mkdir -p "$dir"
        cp "$work/sheets_$n.dxf" "$dir/drawing.dxf"
        (cd "$dir" && measure "$build/bin/cadhost" --root "$dir/machine" --module "$build/zw2025/Brelmor.so" \
            --script "$work/$script.scr" "$dir/drawing.dxf" && echo "$WALL $PEAK" >"$dir/figures")
        read -r WALL PEAK <"$dir/figures"
        files=$(find "$dir" -name '*.pdf' | wc -l)
        printf '%-7s %-13s %9.2f %12.1f %9s %8.2f %s\n' "$n" "korvel-$script" "$WALL" \
            "$(echo "$WALL * 1000 / $n" | bc -l)" "$PEAK" "$(echo "$WALL / $peer" | bc -l)" "$files"
    done
done
echo "ratio: korvel's wall time over dxf2pdf's on the same drawing (below 1: korvel is faster)"
