#!/usr/bin/env bash
# Fetches the Debian packages that ship DXF drawings into WORK (once; never into the sources),
# extracts their drawings and compares the platform's reading of them with ezdxf's
# (corpus_check.py). Exit status 77 (skipped) when the packages cannot be fetched.
# usage: run_corpus.sh COUNTS_PROGRAM WORK [corpus_check.py options]
set -euo pipefail
counts="$(realpath "$1")"
mkdir -p "$2"
work="$(cd "$2" && pwd)"
shift 2
here="$(cd "$(dirname "$0")" && pwd)"
PACKAGES=(librecad-data freecad-common openscad-testing-data)

mkdir -p "$work/debs"
missing=()
for p in "${PACKAGES[@]}"; do
  compgen -G "$work/debs/${p}_*.deb" >/dev/null || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if ! (cd "$work/debs" && apt-get download "${missing[@]}") >"$work/download.log" 2>&1; then
    echo "dxf_corpus: skipped: apt-get download ${missing[*]} failed (no network or no package lists):"
    tail -n 3 "$work/download.log"
    exit 77
  fi
fi
if [ ! -f "$work/drawings/.extracted" ]; then
  rm -rf "$work/drawings"
  mkdir -p "$work/drawings"
  for deb in "$work"/debs/*.deb; do
    dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$work/drawings" --wildcards '*.dxf' '*.DXF' 2>/dev/null || true
  done
  touch "$work/drawings/.extracted"
fi
exec /usr/bin/python3 "$here/corpus_check.py" --counts "$counts" --work "$work" --jobs "${KORVEL_CORPUS_JOBS:-2}" "$@" "$work/drawings"
