#!/usr/bin/env bash
# Sets up the machine, builds everything and runs the whole test suite under Wine on a virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
cmake --preset mingw
cmake --build --preset mingw -j"$(nproc)"

prefix="$root/build/mingw/wineprefix"
# The display-scale tests run in a prefix of their own, whose session they start themselves.
trap 'tools/wine-session "$prefix" stop; tools/wine-session "$prefix-dpi" stop' EXIT
tools/wine-session "$prefix" start
ctest --preset mingw -j"$(nproc)" "$@"
