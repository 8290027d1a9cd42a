# Used by the bridge's end-to-end test (sourced, not run): a target window in one
# Wine process, the bridge's hook in another, real middle clicks sent by xdotool on the virtual
# display, and the lines the target wrote for what it received.
#
#   bridge_begin PREFIX HOOK_HOST_EXE KEY_TARGET_EXE   joins the build tree's Wine session
#   bridge_start_target                                window with a unique title; keyboard focus
#   bridge_start_host CTRL_FLAG / bridge_stop_host     the hook, with g_ctrlCombo = CTRL_FLAG
#   bridge_store_code TEXT / bridge_forget_code        the stored "xrcode" (restored at the end)
#   bridge_click                                       prints the target's lines for one click
# Every process started here is ended when the calling script exits, on every path.

bridge_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
bridge_settings_key='HKCU\Software\lanfhe'

bridge_fail() {
  echo "bridge: $*" >&2
  return 1
}

# bridge_wait SECONDS COMMAND...: polls COMMAND every 0.1 s until it succeeds or time runs out.
bridge_wait() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

bridge_begin() {
  command -v xdotool >/dev/null || bridge_fail "xdotool is missing" || return 1
  bridge_prefix=$1 bridge_host_exe=$2 bridge_target_exe=$3
  eval "$("$bridge_root/tools/wine-session" "$bridge_prefix" env)"
  bridge_work=$(mktemp -d "${TMPDIR:-/tmp}/lanfhe-bridge.XXXXXX")
  bridge_target_pid='' bridge_host_pid='' bridge_saved_code=''
  trap bridge_end EXIT
}

bridge_stop_pid() {
  local pid=$1
  [ -n "$pid" ] || return 0
  kill "$pid" 2>/dev/null || return 0
  bridge_wait 5 bash -c "! kill -0 $pid 2>/dev/null" || kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null || true
}

bridge_end() {
  bridge_stop_host
  bridge_stop_pid "$bridge_target_pid"
  bridge_target_pid=''
  bridge_restore_code
  if [ -n "${bridge_work:-}" ]; then rm -rf "$bridge_work"; fi
}

bridge_start_target() {
  bridge_title="lanfhe-key-target-$$-$RANDOM"
  bridge_target_log=$bridge_work/target.log
  : >"$bridge_target_log"
  "$WINE64" "$bridge_target_exe" "$bridge_title" 180 >"$bridge_target_log" 2>"$bridge_work/target.err" &
  bridge_target_pid=$!
  bridge_wait 30 grep -q '^ready' "$bridge_target_log" || bridge_fail "the target window did not start" || return 1
  bridge_wait 10 bridge_find_window || bridge_fail "no X window named $bridge_title" || return 1
}

bridge_find_window() {
  bridge_window=$(xdotool search --name "^$bridge_title\$" 2>/dev/null | head -n 1)
  [ -n "$bridge_window" ]
}

bridge_start_host() {
  bridge_stop_host
  local log=$bridge_work/host.log
  "$WINE64" "$bridge_host_exe" "$1" 180 >"$log" 2>"$bridge_work/host.err" &
  bridge_host_pid=$!
  bridge_wait 30 grep -q '^hook installed' "$log" ||
    bridge_fail "the hook host did not install its hook: $(cat "$bridge_work/host.err")"
}

bridge_stop_host() {
  bridge_stop_pid "${bridge_host_pid:-}"
  bridge_host_pid=''
}

bridge_reg() { "$WINE64" reg "$@" </dev/null >/dev/null 2>&1; }

# Remembers the stored value once, before the first change.
bridge_save_code() {
  [ -n "$bridge_saved_code" ] && return 0
  bridge_saved_code=$("$WINE64" reg query "$bridge_settings_key" /v xrcode </dev/null 2>/dev/null |
    tr -d '\r' | sed -n 's/^    xrcode    \(REG_[A-Z_]*\)    \(.*\)$/\1 \2/p' || true)
  [ -n "$bridge_saved_code" ] || bridge_saved_code=none
}

bridge_restore_code() {
  case "$bridge_saved_code" in
    '') ;;
    none) bridge_reg delete "$bridge_settings_key" /v xrcode /f || true ;;
    *) bridge_reg add "$bridge_settings_key" /v xrcode /t "${bridge_saved_code%% *}" \
         /d "${bridge_saved_code#* }" /f || true ;;
  esac
}

bridge_store_code() {
  bridge_save_code
  bridge_reg add "$bridge_settings_key" /v xrcode /t REG_SZ /d "$1" /f || bridge_fail "cannot store xrcode=$1"
}

bridge_forget_code() {
  bridge_save_code
  bridge_reg delete "$bridge_settings_key" /v xrcode /f || true
}

# Sends one real middle click over the target and prints the lines the target wrote for it. Fails
# when the click itself does not arrive.
bridge_click() {
  local seen
  seen=$(wc -l <"$bridge_target_log")
  xdotool mousemove --window "$bridge_window" 200 150 &&
    xdotool windowfocus --sync "$bridge_window" &&
    xdotool click 2 || bridge_fail "xdotool failed" || return 1
  bridge_wait 15 bash -c "tail -n +$((seen + 1)) '$bridge_target_log' | grep -q '^mbutton up'" ||
    bridge_fail "the middle click did not reach the target" || return 1
  # Injected keys go into the queue before the click itself; a short pause catches any straggler.
  sleep 0.3
  tail -n +"$((seen + 1))" "$bridge_target_log" | tr -d '\r'  # the target writes CR LF
}
