#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build the program and run it and its tests under Wine.
# Idempotent: packages already present are not touched.
set -euo pipefail

packages=(
  cmake make
  g++-mingw-w64-x86-64-posix   # the cross compiler (posix thread model)
  googletest                   # GoogleTest sources, built with the cross compiler
  wine64                       # runs the program and the tests
  xvfb xdotool x11-apps        # virtual display, real X input, screenshots (xwd)
  imagemagick                  # turns screenshots into PNG
  fonts-wqy-zenhei             # Chinese glyphs for the form and the message boxes
  fonts-wine                   # the caption buttons' glyphs (Marlett)
  python3
  nsis                         # the release's per-user installer (the zip is written by python3)
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo=""
  [ "$(id -u)" = 0 ] || sudo=sudo
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
