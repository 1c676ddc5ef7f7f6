#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need, then configures (when
# needed: scripts/configure.sh) and builds (scripts/setup.sh [TARGET...]).
# Idempotent: apt-get runs only when a package is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libcairo2-dev libfreetype-dev libfontconfig-dev libjpeg-dev libqpdf-dev libxlsxwriter-dev
  fonts-wqy-microhei fonts-dejavu-core
  poppler-utils qpdf python3-ezdxf python3-matplotlib python3-openpyxl file locales
)

declare -A installed=()
while read -r name status; do
  [ "$status" = "install ok installed" ] && installed[$name]=1
done < <(dpkg-query -W -f='${Package} ${Status}\n' "${PACKAGES[@]}" 2>/dev/null || true)
missing=()
for p in "${PACKAGES[@]}"; do
  [ -n "${installed[$p]:-}" ] || missing+=("$p")
done
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The session tests also run cadhost under the zh_CN.UTF-8 locale.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN\.utf-\?8'; then
  echo "setup: generating the locale zh_CN.UTF-8"
  $SUDO sed -i 's/^# *\(zh_CN\.UTF-8 UTF-8\)$/\1/' /etc/locale.gen
  grep -qx 'zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen
fi

# Tests run on a debug build (assertions on); without optimisation or debug info it compiles
# in about half the time. BUILD_TYPE=Release (or RelWithDebInfo) for benchmarks and debugging.
# Arguments name the targets to build; without them everything is built.
BUILD_DIR="${BUILD_DIR:-build}"
scripts/configure.sh "$BUILD_DIR" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Debug}" -DCMAKE_CXX_FLAGS_DEBUG="-O0" -DCMAKE_C_FLAGS_DEBUG="-O0"
cmake --build "$BUILD_DIR" -j "$(nproc)" ${1:+--target "$@"}
