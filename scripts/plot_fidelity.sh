#!/bin/sh
# Plots the model space of real drawings with the platform's plot engine and compares the ink
# with ezdxf's drawing of the same window, linetypes on in both and every text style in the
# plot's font (tests/support/ink_compare.py):
#
#   scripts/plot_fidelity.sh [-b BUILD_DIR] [-d DIFF_DIR] [DRAWING...]
#
# DRAWINGs are relative to the folder of real drawings (KORVEL_REALDXF, default ../shared/realdxf
# beside the repository); without them, every drawing of the list below. Prints one line a
# drawing: the share of ezdxf's ink within 2 px of the plot's and the other way round, at 100 dpi
# on an A3 page. -d keeps a difference picture a drawing (red: only ezdxf, blue: only the plot).
set -e
repo=$(cd "$(dirname "$0")/.." && pwd)
build=$repo/build
diffs=""
while getopts b:d: option; do
    case $option in
        b) build=$OPTARG ;;
        d) diffs=$OPTARG ;;
        *) echo "usage: $0 [-b BUILD_DIR] [-d DIFF_DIR] [DRAWING...]" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
realdxf=${KORVEL_REALDXF:-$repo/../shared/realdxf}
if [ $# -eq 0 ]; then
    set -- \
        qcad/examples/flange.dxf \
        skymakerolof-dxf/test/resources/floorplan.dxf \
        dxf-json/sample/A_000217.dxf \
        dxf-parser/samples/data/api-cw750-details.dxf \
        acadsharp/samples/sample_AC1032_ascii.dxf \
        qcad/libraries/templates/metric/dl3dl/DIN7200.dxf \
        qcad/libraries/templates/metric/dl3dl/TGL31006.dxf \
        qcad/libraries/templates/metric/dl3dl/Vorlage_elt_2.dxf \
        qcad/libraries/templates/metric/iso_en_a4_metric_landscape_aec.dxf \
        libredwg/test/test-data/example_2000.dxf \
        cad-viewer/packages/cad-viewer-example/e2e/fixtures/sheet_0.dxf \
        dxf-json/integration-test/src/tc2/tc.dxf \
        ezdxf/integration_tests/data/recover01.dxf
fi

cmake --build "$build" --target ink_plot >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ -n "$diffs" ] && mkdir -p "$diffs"
passed=0
total=0
for drawing in "$@"; do
    name=$(echo "$drawing" | tr '/' '_')
    total=$((total + 1))
    if ! window=$("$build/tests/ink_plot" "$realdxf/$drawing" "$work/$name.pdf" 2>&1); then
        printf '%-70s %s\n' "$drawing" "not plotted: $window"
        continue
    fi
    diff_option=""
    [ -n "$diffs" ] && diff_option="--diff=$diffs/${name%.dxf}.png"
    figures=$(/usr/bin/python3 "$repo/tests/support/ink_compare.py" "$realdxf/$drawing" "$work/$name.pdf" \
        "--window=${window#window }" "--font=WenQuanYi Micro Hei.ttf" $diff_option 2>&1 | tail -n 1)
    printf '%-70s %s\n' "$drawing" "$figures"
    if echo "$figures" | awk '{split($2, a, "="); split($3, b, "="); exit !(a[2] >= 0.98 && b[2] >= 0.98)}'; then
        passed=$((passed + 1))
    fi
done
echo "$passed of $total drawings at or above 0.98 both ways"
