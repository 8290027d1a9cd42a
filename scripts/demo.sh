#!/usr/bin/env bash
# Demonstrates the button bridge on a virtual display: a target window in one process, the bridge's
# hook installed by another, a real middle click sent with xdotool, and what arrived at the target,
# in words. Needs a build with the mingw preset (scripts/run.sh builds first).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LANFHE_DEMO_BUILD:-$root/build/mingw}  # another build tree for trying it out
prefix=$build/wineprefix

source "$root/tests/e2e/bridge_session.sh"
for exe in hook_host key_target; do
  [ -f "$build/tests/e2e/$exe.exe" ] || { echo "demo: $build/tests/e2e/$exe.exe is missing; build first" >&2; exit 1; }
done

key_name() {
  case $1 in
    32) echo "Space" ;;
    13) echo "Enter" ;;
    17) echo "Ctrl" ;;
    9) echo "Tab" ;;
    27) echo "Esc" ;;
    4[89] | 5[0-7] | 6[5-9] | [78][0-9] | 90) printf "\\$(printf '%03o' "$1")" ;;
    11[2-9] | 12[0-7]) echo "F$(($1 - 111))" ;;
    *) echo "key" ;;
  esac
}

# Turns the target's lines into words; fails when no key stroke arrived.
describe() {
  local what vk keys=0
  while read -r what vk; do
    case $what in
      mbutton) echo "    middle button $vk" ;;
      keydown | keyup | syskeydown | syskeyup)
        keys=$((keys + 1))
        echo "    key ${what#*key}: $(key_name "$vk") (VK $vk)" ;;
      *) echo "    $what $vk" ;;
    esac
  done
  [ "$keys" -gt 0 ]
}

# show TITLE: one real middle click, and what the target received.
show() {
  echo "$1"
  local lines
  lines=$(bridge_click) || exit 1
  describe <<<"$lines" || { echo "demo: no key stroke arrived" >&2; exit 1; }
}

bridge_begin "$prefix" "$build/tests/e2e/hook_host.exe" "$build/tests/e2e/key_target.exe"
# Replaces the trap bridge_begin set: also ends the virtual display and the wineserver.
trap 'bridge_end; "$root/tools/wine-session" "$prefix" stop' EXIT
echo "Starting a target window and, in another process, the button bridge's mouse hook..."
bridge_start_target
bridge_start_host 0
bridge_forget_code
show "Middle click with nothing stored (the default key, the space bar); the target received:"

bridge_start_host 1
bridge_store_code 65
show "Middle click with \"xrcode\" = \"65\" and the Ctrl flag 1; the target received:"
echo "The middle click went through, and the key stroke arrived beside it."
