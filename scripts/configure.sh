#!/usr/bin/env bash
# Configures a build folder with Ninja: scripts/configure.sh BUILD_DIR [CMAKE_ARG...].
# A folder already configured with the same arguments is left as it is: building it configures
# it again by itself when a CMake file or a globbed source folder changed.
# KORVEL_WERROR=1 in the environment makes every compiler warning an error (CI sets it).
set -euo pipefail
cd "$(dirname "$0")/.."
dir="$1"
shift
werror=OFF
[ "${KORVEL_WERROR:-0}" = 1 ] && werror=ON
args=(-G Ninja "$@" -DKORVEL_WERROR="$werror")
stamp="$dir/korvel-configure-args"
if [ -f "$dir/build.ninja" ] && [ -f "$dir/CMakeCache.txt" ] && [ "$(cat "$stamp" 2>/dev/null)" = "${args[*]}" ]; then
  exit 0
fi
rm -f "$stamp"
cmake -S . -B "$dir" "${args[@]}"
printf '%s\n' "${args[*]}" >"$stamp"
