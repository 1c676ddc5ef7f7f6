#!/usr/bin/env bash
# The main job at scale: drawings of 10 to 5,000 A3 sheets (300 content entities each,
# tests/fixtures/gen_sheets.py), each plotted in cadhost by KV_DivezUrez_2 to one PDF file a
# sheet ("pdfs") and to one merged PDF ("merged"), and by the title-block batch KV_DivezUrez_4
# to one PDF file a sheet ("tk", with the generator's title-block library), side by side with
# LibreCAD's `dxf2pdf -a` drawing the same file fitted to one page. Each run takes a fresh copy
# of the drawing and a fresh machine; the runs of a count alternate, and the table shows the
# median wall time, processor time (user and system: steadier than the wall time on a busy
# machine) and peak memory of RUNS runs (default 3).
#   scripts/bench_sheets.sh [BUILD_DIR] [SHEETS...]      (default: build-rel 10 50 200 1000)
#   RUNS=1 scripts/bench_sheets.sh build-rel 5000         (the big count, once)
# Installs librecad when missing; builds cadhost and the 2025 module in a Release build folder.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$repo/build-rel}")
shift || true
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(10 50 200 1000)
runs=${RUNS:-3}

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
# The sheets found by their title blocks, one PDF file a sheet named by its drawing number (in PDF/).
cat >"$work/tk.scr" <<'EOF'
command KV_DivezUrez_4
enter
pick 2
@IDD_DLG_BPLOT2 choose IDC_BP2_FOLDER_MODE_COMBO 1
@IDD_DLG_BPLOT2 click IDOK
quit
EOF

# Runs a command under /usr/bin/time; sets WALL and CPU (s) and PEAK (MB); fails when the command does.
measure() {
    local log="$work/time.log"
    /usr/bin/time -v -o "$log" "$@" >"$work/last.out" 2>&1 || { echo "failed: $*" >&2; tail -20 "$work/last.out" >&2; return 1; }
    WALL=$(awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, p, ":"); s = 0; for (i = 1; i <= n; ++i) s = s * 60 + p[i]; print s }' "$log")
    CPU=$(awk -F': ' '/(User|System) time \(seconds\)/ { s += $2 } END { print s }' "$log")
    PEAK=$(awk -F': ' '/Maximum resident set size/ { printf "%.0f", $2 / 1024 }' "$log")
}

# One run of a kind on a fresh copy of the drawing; appends "WALL PEAK FILES CPU" to $work/<kind>_<n>.
run_once() {
    local kind=$1 n=$2 dir="$work/run_${1}_$2"
    rm -rf "$dir" && mkdir -p "$dir"
    cp "$work/sheets_$n.dxf" "$dir/drawing.dxf"
    if [ "$kind" = dxf2pdf ]; then
        # dxf2pdf writes drawing.pdf beside the drawing (its -o takes no value).
        measure env QT_QPA_PLATFORM=offscreen librecad dxf2pdf -a "$dir/drawing.dxf"
    else
        local user="$dir/machine/c/Users/korvel/AppData/Roaming/Korvel"
        mkdir -p "$user" && cp "$work/BPlot_TK.tk" "$user/"
        (cd "$dir" && measure "$build/bin/cadhost" --root "$dir/machine" --module "$build/zw2025/Brelmor.so" \
            --script "$work/$kind.scr" "$dir/drawing.dxf" && echo "$WALL $PEAK $CPU" >"$dir/figures")
        read -r WALL PEAK CPU <"$dir/figures"
    fi
    echo "$WALL $PEAK $(find "$dir" -name '*.pdf' | wc -l) $CPU" >>"$work/${kind}_$n"
    rm -rf "$dir"
}

# The median of column C of a file of numbers.
median() { sort -g -k"$2","$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END { print v[int((NR + 1) / 2)] }'; }

kinds=(dxf2pdf pdfs merged tk)
printf '%-7s %-8s %8s %9s %8s %9s %8s %9s %7s %7s %6s\n' sheets run "wall s" "ms/sheet" "cpu s" "cpu ms/sh" "peak MB" "peak/dxf" ratio "cpu rt" files
for n in "${counts[@]}"; do
    dxf_mb=$(echo "$(stat -c %s "$work/sheets_$n.dxf") / 1048576" | bc -l)
    for ((r = 0; r < runs; ++r)); do
        for kind in "${kinds[@]}"; do run_once "$kind" "$n"; done
    done
    peer=$(median "$work/dxf2pdf_$n" 1) peer_cpu=$(median "$work/dxf2pdf_$n" 4)
    for kind in "${kinds[@]}"; do
        wall=$(median "$work/${kind}_$n" 1) peak=$(median "$work/${kind}_$n" 2) files=$(median "$work/${kind}_$n" 3)
        cpu=$(median "$work/${kind}_$n" 4)
        printf '%-7s %-8s %8.2f %9.2f %8.2f %9.2f %8s %9.2f %7.2f %7.2f %6s\n' "$n" "$kind" "$wall" \
            "$(echo "$wall * 1000 / $n" | bc -l)" "$cpu" "$(echo "$cpu * 1000 / $n" | bc -l)" "$peak" \
            "$(echo "$peak / $dxf_mb" | bc -l)" "$(echo "$wall / $peer" | bc -l)" "$(echo "$cpu / $peer_cpu" | bc -l)" "$files"
    done
done
echo "median of $runs runs; ratio, cpu rt: wall and processor time over dxf2pdf -a's on the same drawing"
echo "(below 1: korvel is faster);"
echo "peak/dxf: peak memory over the drawing file's size"
