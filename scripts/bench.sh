#!/usr/bin/env bash
# Builds and runs every benchmark under Wine; they print figures and never fail.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
cmake --preset mingw
cmake --build --preset mingw -j"$(nproc)" --target bench

prefix="$root/build/mingw/wineprefix"
tools/wine-session "$prefix" start
for exe in build/mingw/bench/*_bench.exe; do
  echo "== $(basename "$exe" .exe)"
  tools/wine-run "$prefix" "$exe"
done
