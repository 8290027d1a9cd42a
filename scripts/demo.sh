#!/usr/bin/env bash
# Demonstrates the real program on the build tree's virtual display, driven with real X input
# (xdotool), and says in words what happens: the first start with its form (and a screenshot),
# choosing a key with Ctrl and saving, middle clicks over another program's window and the key
# strokes that arrive there (none while "another mouse" is the chosen device), learning the wireless
# button, going to the notification area, coming back and exiting.
# The program's settings are put back as they were and every process ends, on every path.
# Needs a build with the mingw preset (scripts/run.sh builds first).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LANFHE_DEMO_BUILD:-$root/build/mingw}  # another build tree for trying it out
session_name=demo

source "$root/tools/program-session.sh"
target_exe=$build/tests/e2e/key_target.exe
[ -f "$target_exe" ] || { echo "demo: $target_exe is missing; build first" >&2; exit 1; }

fail() {
  echo "demo: $*" >&2
  exit 1
}

key_name() {
  case $1 in
    32) echo "Space" ;;
    13) echo "Enter" ;;
    17) echo "Ctrl" ;;
    9) echo "Tab" ;;
    27) echo "Esc" ;;
    4[89] | 5[0-7] | 6[5-9] | [78][0-9] | 90) printf "\\$(printf '%03o' "$1")" ;;
    11[2-9] | 12[0-7]) echo "F$(($1 - 111))" ;;
    *) echo "key $1" ;;
  esac
}

# The target's lines (keydown VK, keyup VK, mbutton down, ...) as one line of words.
in_words() {
  local what detail words=()
  while read -r what detail; do
    case $what in
      mbutton) words+=("middle button $detail") ;;
      keydown | syskeydown) words+=("$(key_name "$detail") down") ;;
      keyup | syskeyup) words+=("$(key_name "$detail") up") ;;
    esac
  done
  local IFS=,
  echo "${words[*]}" | sed 's/,/, /g'
}

# click X Y [BUTTON]: a real click at a screen position.
click() { xdotool mousemove "$1" "$2" click "${3:-1}"; }

# click_on ID: a real click on a control of the form (or "close": the caption's close button).
click_on() {
  local position
  position=$(session_probe point "$session_title" "$1" | tr -d '\r') || fail "the form has no $1"
  click $position
}

# Reads the message box the program shows, prints it, and presses the button with the given id.
answer_notice() {
  local button=$1 label=$2 lines caption text position
  lines=$(session_probe notice "$session_title" 10000 | tr -d '\r') || fail "no message box appeared"
  caption=$(sed -n 1p <<<"$lines")
  text=$(sed -n 2p <<<"$lines")
  echo "   message box \"$caption\": \"${text//\\n/ / }\", answered with $label"
  position=$(sed -n "s/^button $button //p" <<<"$lines")
  [ -n "$position" ] || fail "the message box has no button $button"
  click $position
  session_wait 10 bash -c "! '$WINE64' '$session_probe_exe' notice '$session_title' 0 >/dev/null 2>&1" ||
    fail "the message box stayed"
}

tray_icons() { session_probe tray "$@" | tr -d '\r'; }

# stored KEY NAME: a value the program stored under HKEY_CURRENT_USER.
stored() { session_probe value "$1" "$2" | tr -d '\r' || echo "(missing)"; }

# "no tray icon", "1 tray icon", ...: what Wine's tray window holds now.
tray_in_words() {
  local count
  count=$(tray_icons | sed -n 's/^icons //p')
  case $count in
    0) echo "no tray icon" ;;
    1) echo "1 tray icon" ;;
    *) echo "$count tray icons" ;;
  esac
}

session_begin "$build"
echo "Demonstration of $session_title under Wine on the virtual display $DISPLAY (real input: xdotool)."
if session_probe window "$session_title" any 0 >/dev/null; then
  fail "a copy of the program already runs in this session (the prefix's autostart value \"an\" starts one" \
    "with the session; remove it: wine reg delete '$session_run_key' /v an /f)"
fi

# label: the device row's label as the form shows it now.
label() { session_probe text "$session_title" 105 | tr -d '\r'; }
box() { [ "$(session_probe checked "$session_title" "$1" | tr -d '\r')" = 1 ] && echo ticked || echo clear; }

# middle_click: one real middle click over the target window; prints the key strokes it brought.
middle_click() {
  local seen
  # Keys go to the foreground window: a left click gives the target the foreground the form may have.
  xdotool mousemove --window "$target_window" 200 150 click 1
  sleep 0.3
  seen=$(wc -l <"$target_log")
  xdotool click 2
  session_wait 15 bash -c "tail -n +$((seen + 1)) '$target_log' | grep -q '^mbutton up'" ||
    fail "the middle click did not reach the target"
  sleep 0.8  # the keys come from the program's message loop right after the click
  local keys
  keys=$(tail -n +"$((seen + 1))" "$target_log" | tr -d '\r' | grep -E '^(sys)?key' | in_words || true)
  echo "${keys:-no key stroke}"
}

echo "1. First start, with only a device choice stored: \"xrdevice\" names another mouse (VID_1234&PID_5678)"
echo "   (the settings are kept aside and put back at the end):"
session_forget_settings
session_store_setting xrdevice 'VID_1234&PID_5678'
session_start program "$session_program"
form=$(session_probe window "$session_title" shown 30000 | tr -d '\r') || fail "the form did not appear"
read -r _ _ left top right bottom <<<"$form"
echo "   the form \"$session_title\" is shown at ($left, $top), $((right - left)) x $((bottom - top)) with its frame"
echo "   the key list shows \"$(session_probe text "$session_title" 101 | tr -d '\r')\"," \
  "the Ctrl box is $(box 103), $(tray_in_words)"
echo "   \"只响应无线按钮\" is $(box 104); the label reads \"$(label)\""
mkdir -p "$build/demo"
screenshot=$build/demo/main-form.png
session_screenshot "$session_title" "$screenshot" || fail "no screenshot"
echo "   screenshot of the form (Wine draws its frame): $screenshot"

echo "2. Choosing \"F5键\", ticking Ctrl and pressing \"保存\":"
click_on 101
xdotool key ctrl+a
xdotool type F5
xdotool key F4  # the dropped list selects the first key starting with the typed text
sleep 0.3
xdotool key Return
session_wait 5 bash -c "[ \"\$('$WINE64' '$session_probe_exe' text '$session_title' 101 | tr -d '\r')\" = F5键 ]" ||
  fail "the key list does not show F5键"
click_on 103
session_wait 5 bash -c "[ \"\$('$WINE64' '$session_probe_exe' checked '$session_title' 103 | tr -d '\r')\" = 1 ]" ||
  fail "the Ctrl box is not ticked"
echo "   typed \"F5\" into the key list, F4 and Enter took \"$(session_probe text "$session_title" 101 | tr -d '\r')\"; Ctrl box ticked"
click_on 102
answer_notice 1 OK
echo "   stored: HKCU\\Software\\lanfhe \"xrcode\" = \"$(stored 'Software\lanfhe' xrcode)\"," \
  "\"xrctrl\" = \"$(stored 'Software\lanfhe' xrctrl)\", \"xrdevice\" = \"$(stored 'Software\lanfhe' xrdevice)\""
autostart=$(stored 'Software\Microsoft\Windows\CurrentVersion\Run' an)
echo "           HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run \"an\" = \"${autostart//\"/\\\"}\""

echo "3. Real middle clicks over a window of another program (tests/e2e/key_target.exe):"
target_title="lanfhe-demo-target-$$"
session_start target "$target_exe" "$target_title" 180
target_log=$session_output
session_wait 30 grep -q '^ready' "$target_log" || fail "the target window did not start"
session_wait 10 bash -c "xdotool search --name '^$target_title\$' >/dev/null" || fail "no target window"
target_window=$(xdotool search --name "^$target_title\$" | head -n 1)
keys=$(middle_click)
echo "   with \"another mouse\" chosen, this mouse's click reaches the target, and brings: $keys"
[ "$keys" = "no key stroke" ] || fail "a press of a mouse that is not the chosen one sent keys"
click_on 104
session_wait 5 bash -c "[ \"\$('$WINE64' '$session_probe_exe' checked '$session_title' 104 | tr -d '\r')\" = 0 ]" ||
  fail "the device box is still ticked"
keys=$(middle_click)
echo "   \"只响应无线按钮\" cleared (every mouse again): the click brings $keys"
[ "$keys" != "no key stroke" ] || fail "no key stroke arrived"

echo "4. Learning the wireless button (here Wine's only mouse stands for it):"
click_on 104
session_wait 5 bash -c "[ \"\$('$WINE64' '$session_probe_exe' checked '$session_title' 104 | tr -d '\r')\" = 1 ]" ||
  fail "the device box is not ticked"
echo "   \"只响应无线按钮\" ticked: the label reads \"$(label)\""
keys=$(middle_click)
echo "   the button pressed: the label names it, \"$(label)\"; that press brought $keys"
keys=$(middle_click)
echo "   the next press of the learned button brings $keys"
[ "$keys" != "no key stroke" ] || fail "the learned button sent no key"
session_stop "$target"

echo "5. Closing the form with its close button, answering Cancel:"
click_on close
answer_notice 2 Cancel
session_probe window "$session_title" hidden 5000 >/dev/null || fail "the form is still shown"
icons=$(tray_icons 1 10000) || fail "no tray icon (Wine's tray: $(tray_icons | tr "\n" " "))"
icon=$(sed -n 's/^icon //p' <<<"$icons")
echo "   the form is hidden; Wine's tray window holds $(sed -n 's/^icons //p' <<<"$icons") icon, at ($(tr ' ' , <<<"$icon" | sed 's/,/, /'))"

echo "6. Double click on the tray icon, then closing the form and answering OK:"
xdotool mousemove $icon click --repeat 2 --delay 80 1
session_probe window "$session_title" shown 5000 >/dev/null || fail "the form did not come back"
tray_icons 0 5000 >/dev/null || fail "the tray icon stayed"
echo "   the form is shown again and the tray icon is gone"
click_on close
answer_notice 1 OK
session_wait 15 bash -c "! kill -0 $program 2>/dev/null" || fail "the program did not end"
code=0
wait "$program" || code=$?
tray_icons 0 2000 >/dev/null || true
echo "   the program ended with exit code $code; $(tray_in_words) left"

session_end
echo "Done: the settings are put back as they were and every process the demonstration started is ended."
