#!/usr/bin/env bash
# Makes docs/main-form.png, the README's picture of the form: the real program's first start (nothing
# stored) on the build tree's virtual display, with the frame Wine draws. The program's settings are
# put back as they were afterwards. Needs a build with the mingw preset.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LANFHE_DEMO_BUILD:-$root/build/mingw}
session_name=screenshot

source "$root/tools/program-session.sh"
session_begin "$build"
if session_probe window "$session_title" any 0 >/dev/null; then
  session_fail "a copy of the program already runs in this session; no first start possible"
  exit 1
fi
session_forget_settings
session_start program "$session_program"
session_probe window "$session_title" shown 30000 >/dev/null || { session_fail "the form did not appear"; exit 1; }
sleep 0.5  # painted
mkdir -p "$root/docs"
session_screenshot "$session_title" "$root/docs/main-form.png"
echo "$root/docs/main-form.png"
