#!/usr/bin/env bash
# Sets up the machine, builds the program and runs it.
# With a display (DISPLAY set): the program under Wine in the build tree's prefix, on that display;
# returns when the program ends. Without one: the scripted demonstration of the real program on a
# virtual display (scripts/demo.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
cmake --preset mingw
cmake --build --preset mingw -j"$(nproc)"

if [ -z "${DISPLAY:-}" ]; then
  exec bash scripts/demo.sh
fi

prefix=$root/build/mingw/wineprefix
program=$root/build/mingw/src/app/岚枫禾无线按钮扩展.exe
# The build tree's session (tests, demonstration) keeps the prefix on its own virtual display; the
# program belongs on this one.
if [ -f "$prefix.session/xvfb.pid" ] && kill -0 "$(cat "$prefix.session/xvfb.pid")" 2>/dev/null; then
  echo "run: the build tree's Wine session is running (tests?); stop it first: tools/wine-session $prefix stop" >&2
  exit 1
fi
# Makes the prefix when there is none yet, then leaves the session.
tools/wine-session "$prefix" start
tools/wine-session "$prefix" stop

wine64=$(command -v /usr/lib/wine/wine64 || command -v wine64 || command -v wine)
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
# A Chinese file name does not start under another locale, and a Chinese locale ruins the prefix.
export LANG=C.UTF-8
unset LC_ALL

# This prefix is also the tests' prefix: an autostart value left in it would start a copy of the
# program with every later session, where the tests and the demonstration need to start their own.
# The value is put back as it was when the program ends; the chosen key and Ctrl setting stay.
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
kept=$(mktemp -d "${TMPDIR:-/tmp}/lanfhe-run.XXXXXX")
"$wine64" reg export "$run_key" "Z:${kept//\//\\}\\run.reg" /y </dev/null >/dev/null 2>&1 || rm -f "$kept/run.reg"
restore_autostart() {
  "$wine64" reg delete "$run_key" /v an /f </dev/null >/dev/null 2>&1 || true
  if [ -f "$kept/run.reg" ]; then
    "$wine64" reg import "Z:${kept//\//\\}\\run.reg" </dev/null >/dev/null 2>&1 || true
  fi
  rm -rf "$kept"
}
trap restore_autostart EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

echo "run: $program on $DISPLAY; it ends with its close button (or Esc) and OK, also from the tray icon"
code=0
"$wine64" "$program" || code=$?
echo "run: the program ended with exit code $code"
exit "$code"
