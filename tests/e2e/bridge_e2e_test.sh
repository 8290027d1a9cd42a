#!/usr/bin/env bash
# End to end: real middle clicks over a target window in one process, the bridge's hook installed
# by another, and the key strokes that reach the target.
#   bridge_e2e_test.sh WINEPREFIX HOOK_HOST_EXE KEY_TARGET_EXE
set -uo pipefail
source "$(dirname "$0")/bridge_session.sh"

failures=0

# check NAME EXPECTED_KEY_LINES (one line per key message, in order)
check() {
  local name=$1 expected=$2 lines keys
  if ! lines=$(bridge_click); then
    echo "FAIL $name: no middle click arrived"
    failures=$((failures + 1))
    return
  fi
  keys=$(grep -E '^(sys)?key' <<<"$lines")
  if grep -qx 'mbutton down' <<<"$lines" && grep -qx 'mbutton up' <<<"$lines" && [ "$keys" = "$expected" ]; then
    echo "ok   $name"
  else
    echo "FAIL $name"
    echo "  expected keys: $(tr '\n' ',' <<<"$expected")"
    echo "  received:      $(tr '\n' ',' <<<"$lines")"
    failures=$((failures + 1))
  fi
}

bridge_begin "$1" "$2" "$3" || exit 1
bridge_start_target || exit 1

bridge_start_host 0 || exit 1
bridge_forget_code
check "nothing stored: space" $'keydown 32\nkeyup 32'
bridge_store_code 65
check "xrcode 65: A" $'keydown 65\nkeyup 65'
bridge_store_code 0
check "xrcode 0: only the click" ''

bridge_start_host 1 || exit 1
bridge_store_code 65
check "xrcode 65 with Ctrl: Ctrl down, A down, Ctrl up, A up" $'keydown 17\nkeydown 65\nkeyup 17\nkeyup 65'
bridge_store_code 300
check "xrcode 300 with Ctrl: only the click" ''

[ "$failures" = 0 ] && echo "all cases passed"
exit $((failures > 0))
