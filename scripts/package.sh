#!/usr/bin/env bash
# Builds the release into dist/: the portable zip (the program and its guide for Windows users) and
# the per-user installer, both named with the version of the build. Sets up the machine first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j"$(nproc)" --target lanfhe_release

version=$(sed -n 's/^project([^)]*VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
mkdir -p dist
written=()
for file in "build/mingw/release/岚枫禾无线按钮扩展-$version-portable.zip" \
            "build/mingw/release/岚枫禾无线按钮扩展-$version-setup.exe"; do
  [ -f "$file" ] || { echo "package: $file was not made" >&2; exit 1; }
  cp "$file" dist/
  written+=("dist/$(basename "$file")")
done
echo "package: version $version"
for file in "${written[@]}"; do
  printf '  %s  %s bytes\n' "$file" "$(stat -c %s "$file")"
done
