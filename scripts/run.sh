#!/usr/bin/env bash
# Sets up the machine, builds the program and runs it. Until the program's window exists, this runs
# the scripted demonstration of the button bridge on a virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
cmake --preset mingw
cmake --build --preset mingw -j"$(nproc)"
bash scripts/demo.sh
