#!/usr/bin/env bash
# Makes the README's pictures of the form: the real program's first start (nothing stored), with the
# frame Wine draws, at 96 dpi on the build tree's virtual display (docs/main-form.png) and at 144 dpi
# (150 %) in the display-scale tests' own prefix (docs/main-form-144dpi.png), whose LogPixels is put
# back afterwards. The program's settings are put back as they were. Needs a build with the mingw
# preset; prints the paths of the pictures.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LANFHE_DEMO_BUILD:-$root/build/mingw}

# One picture: PREFIX DPI FILE. A subshell each, so that each session ends (and puts everything
# back) before the next begins.
shoot() (
  session_name="screenshot at $2 dpi"
  export LANFHE_SESSION_PREFIX=$1
  source "$root/tools/program-session.sh"
  session_begin "$build"
  if session_probe window "$session_title" any 0 >/dev/null; then
    session_fail "a copy of the program already runs in this session; no first start possible"
    exit 1
  fi
  session_forget_settings
  session_set_dpi "$2"  # read by the program when it starts
  session_start program "$session_program"
  session_probe window "$session_title" shown 30000 >/dev/null || { session_fail "the form did not appear"; exit 1; }
  sleep 0.5  # painted
  mkdir -p "$(dirname "$3")"
  session_screenshot "$session_title" "$3"
  echo "$3"
)

shoot "$build/wineprefix" 96 "$root/docs/main-form.png"
shoot "$build/wineprefix-dpi" 144 "$root/docs/main-form-144dpi.png"
