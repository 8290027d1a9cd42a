# Shared by the scripts that run the real program on the build tree's virtual display and drive it
# with real X input (the demonstration, the screenshot, the benchmarks); sourced, not run.
#
#   session_begin BUILD_DIR          joins the build tree's Wine session (LANG=C.UTF-8) and keeps the
#                                    program's settings (HKCU\Software\lanfhe and the autostart value)
#                                    to put them back at the end
#   session_start VAR EXE [ARGS...]  starts a Wine program in the background; VAR gets its process id
#                                    (the Linux process that is the Wine process); its output goes to
#                                    $session_output (standard output) and $session_output.err
#   session_stop PID                 ends one started program and waits for it
#   session_end                      ends every started program still running, puts the settings
#                                    back and stops the session unless it ran before; runs on exit,
#                                    on every path
#   session_probe ARGS...            the desktop probe (tools/desktop_probe.cpp)
#   session_reg ARGS...              reg.exe, quiet
#   session_wait SECONDS COMMAND...  polls COMMAND every 0.1 s until it succeeds or time runs out
#   session_screenshot TITLE FILE    a PNG of the window titled TITLE, frame included (Wine draws it,
#                                    the prefix sets Managed=N)
#   session_set_dpi DPI              the prefix's display scale (LogPixels) for programs started from
#                                    now on; put back by session_end
# LANFHE_SESSION_PREFIX names another prefix than the build tree's (each prefix has its own session).
# The program's own settings: session_forget_settings (a first start), session_store_setting NAME TEXT.

session_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
session_settings_key='HKCU\Software\lanfhe'
session_run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
session_title='岚枫禾无线按钮扩展'

session_fail() {
  echo "${session_name:-session}: $*" >&2
  return 1
}

session_wait() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# Windows path of a file under / (Wine's drive Z:).
session_windows_path() {
  local path
  path=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
  echo "Z:${path//\//\\}"
}

session_begin() {
  session_build=$1
  session_prefix=${LANFHE_SESSION_PREFIX:-$session_build/wineprefix}
  session_program=$session_build/src/app/$session_title.exe
  session_probe_exe=$session_build/tools/desktop_probe.exe
  local exe
  for exe in "$session_program" "$session_probe_exe"; do
    [ -f "$exe" ] || session_fail "$exe is missing; build first" || return 1
  done
  command -v xdotool >/dev/null || session_fail "xdotool is missing" || return 1
  # A Chinese file name does not start under another locale, and a Chinese locale ruins the prefix.
  export LANG=C.UTF-8
  unset LC_ALL
  session_pids=()
  # A session that already ran (tests by hand, scripts/bench.sh) belongs to its starter.
  session_owned=1
  if [ -f "$session_prefix.session/xvfb.pid" ] && kill -0 "$(cat "$session_prefix.session/xvfb.pid")" 2>/dev/null; then
    session_owned=0
  fi
  session_work=$(mktemp -d "${TMPDIR:-/tmp}/lanfhe-session.XXXXXX")
  trap session_end EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  eval "$("$session_root/tools/wine-session" "$session_prefix" env)"
  session_keep_settings
}

session_start() {
  local var=$1 exe=$2
  shift 2
  session_output=$session_work/$(basename "$exe" .exe).$((${#session_pids[@]} + 1))
  "$WINE64" "$exe" "$@" >"$session_output" 2>"$session_output.err" </dev/null &
  session_pids+=("$!")
  printf -v "$var" '%s' "$!"
}

session_stop() {
  local pid=$1
  [ -n "$pid" ] || return 0
  if kill "$pid" 2>/dev/null; then
    session_wait 5 bash -c "! kill -0 $pid 2>/dev/null" || kill -9 "$pid" 2>/dev/null || true
  fi
  wait "$pid" 2>/dev/null || true
}

session_end() {
  local pid
  for pid in "${session_pids[@]}"; do session_stop "$pid"; done
  session_pids=()
  session_restore_settings
  if [ "${session_owned:-0}" = 1 ]; then "$session_root/tools/wine-session" "$session_prefix" stop; fi
  [ -z "${session_work:-}" ] || rm -rf "$session_work"
  session_work=''
}

session_probe() { "$WINE64" "$session_probe_exe" "$@" </dev/null 2>/dev/null; }

session_reg() { "$WINE64" reg "$@" </dev/null >/dev/null 2>&1; }

# Exported .reg files keep every value exactly (reg query prints non-ASCII as question marks).
session_keep_settings() {
  session_reg export "$session_settings_key" "$(session_windows_path "$session_work/settings.reg")" /y ||
    rm -f "$session_work/settings.reg"
  session_reg export "$session_run_key" "$(session_windows_path "$session_work/run.reg")" /y ||
    rm -f "$session_work/run.reg"
  session_settings_kept=1
}

session_desktop_key='HKCU\Control Panel\Desktop'

session_set_dpi() {
  if [ ! -f "$session_work/logpixels" ]; then
    # The value as it was (a number, which reg prints faithfully), or "none".
    local before
    before=$("$WINE64" reg query "$session_desktop_key" /v LogPixels </dev/null 2>/dev/null |
      awk '$1 == "LogPixels" { print $3 }' | tr -d '\r' || true)
    echo "${before:-none}" >"$session_work/logpixels"
  fi
  session_reg add "$session_desktop_key" /v LogPixels /t REG_DWORD /d "$1" /f || session_fail "cannot set LogPixels"
}

session_restore_dpi() {
  [ -f "${session_work:-}/logpixels" ] || return 0
  local before
  before=$(cat "$session_work/logpixels")
  if [ "$before" = none ]; then
    session_reg delete "$session_desktop_key" /v LogPixels /f || true
  else
    session_reg add "$session_desktop_key" /v LogPixels /t REG_DWORD /d "$((before))" /f ||
      echo "session: cannot put LogPixels back" >&2
  fi
  rm -f "$session_work/logpixels"
}

session_restore_settings() {
  session_restore_dpi
  [ "${session_settings_kept:-0}" = 1 ] || return 0
  session_reg delete "$session_settings_key" /f || true
  if [ -f "$session_work/settings.reg" ]; then
    session_reg import "$(session_windows_path "$session_work/settings.reg")" || echo "session: cannot put $session_settings_key back" >&2
  fi
  session_reg delete "$session_run_key" /v an /f || true
  if [ -f "$session_work/run.reg" ]; then
    session_reg import "$(session_windows_path "$session_work/run.reg")" || echo "session: cannot put the autostart value back" >&2
  fi
  session_settings_kept=0
}

session_screenshot() {
  local window
  window=$(xdotool search --name "^$1\$" | head -n 1)
  [ -n "$window" ] || session_fail "no window titled $1" || return 1
  # Without time stamps, so an unchanged window gives an unchanged file.
  xwd -silent -id "$window" | convert xwd:- -strip -define png:exclude-chunks=date,time "png:$2"
}

session_forget_settings() { session_reg delete "$session_settings_key" /f || true; }

session_store_setting() {
  session_reg add "$session_settings_key" /v "$1" /t REG_SZ /d "$2" /f || session_fail "cannot store $1=$2"
}
