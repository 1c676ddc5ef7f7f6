#!/bin/sh
# Render benchmark: 100,000 entities on A1 and A3 sheets, every sheet to PDF, against
# LibreCAD's dxf2pdf and ezdxf's drawing add-on on the same DXF, in one run.
#   scripts/bench_render.sh [BUILD_DIR] [ENTITIES]
# Installs the two peers when missing; builds render_bench in a Release build folder.
set -e
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$repo/build-release}
entities=${2:-100000}

need=""
command -v librecad >/dev/null 2>&1 || need="$need librecad"
/usr/bin/python3 -c "import ezdxf.addons.drawing, matplotlib" >/dev/null 2>&1 || need="$need python3-ezdxf python3-matplotlib"
if [ -n "$need" ]; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $need
fi

cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target render_bench -j8
exec "$build/bench/render_bench" "$build/render_bench_out" "$entities"
