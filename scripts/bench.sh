#!/usr/bin/env bash
# Builds and runs every benchmark under Wine; they print figures and never fail.
# bench/*_bench.exe measure inside one process; bench/*_bench.sh drive whole programs with real input
# on the build tree's virtual display (they put back the program's settings they change).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
cmake --preset mingw
cmake --build --preset mingw -j"$(nproc)" --target bench

prefix="$root/build/mingw/wineprefix"
trap 'tools/wine-session "$prefix" stop' EXIT
tools/wine-session "$prefix" start
for exe in build/mingw/bench/*_bench.exe; do
  echo "== $(basename "$exe" .exe)"
  tools/wine-run "$prefix" "$exe"
done
for script in bench/*_bench.sh; do
  echo "== $(basename "$script" .sh)"
  bash "$script" build/mingw
done
