#!/usr/bin/env bash
# The hook's own time per real middle click: a burst of xdotool clicks over the window of
# hook_click_host.exe, which runs the program's input core ("xrcode" = "116", F5, with Ctrl) and times
# every call of its hook procedure, and the time from the hook's call to the key's arrival. The key
# strokes land in the host's own window.
# Prints figures beside their goal; never fails on a figure.
#   hook_click_bench.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: hook_click_bench.sh BUILD_DIR}" && pwd)
session_name=hook-click
source "$(dirname "$0")/../tools/program-session.sh"

host=$build/bench/hook_click_host.exe
[ -f "$host" ] || { echo "hook-click: $host is missing; build the bench target" >&2; exit 1; }
clicks=1000

session_begin "$build"
session_store_setting xrcode 116
session_start host_pid "$host" "$clicks" 1
output=$session_output
session_wait 30 grep -q '^ready' "$output" || { session_fail "the host did not start: $(cat "$output.err")"; exit 1; }
title=$(sed -n 's/^ready //p' "$output" | tr -d '\r')
session_wait 10 bash -c "xdotool search --name '^$title\$' >/dev/null" || { session_fail "no window $title"; exit 1; }
xdotool mousemove --window "$(xdotool search --name "^$title\$" | head -n 1)" 200 150
xdotool click --repeat "$clicks" --delay 10 2
session_wait 60 bash -c "! kill -0 $host_pid 2>/dev/null" || { session_fail "the host did not finish"; exit 1; }
wait "$host_pid" || { session_fail "the host failed: $(cat "$output.err")"; exit 1; }

figures=$(tr -d '\r' <"$output")
spread() { awk -v what="$1" '$1 == what { printf "p50 %.0f us, p99 %.0f us, max %.0f us", $2, $3, $4 }' <<<"$figures"; }
p99() { awk -v what="$1" '$1 == what { print $3 }' <<<"$figures"; }
echo "The hook's own time per real middle click ($clicks clicks by xdotool; the input core's MouseHookProc," \
  "\"xrcode\" = \"116\" with Ctrl):"
echo "  per click (press + release call): $(spread click)    goal: p99 under 1 ms (1000 us)"
echo "  press call alone (notes the press, posts one message): $(spread press)"
echo "  release call alone (chaining only): $(spread release)"
awk -v p="$(p99 press)" -v r="$(p99 release)" \
  'BEGIN { printf "  press p99 / release p99: %.2f    goal: at most 2\n", (r > 0 ? p / r : 0) }'
echo "  from the hook's call to the key at the window: $(spread arrival)"
echo "  $(awk '$1 == "clicks" { printf "clicks timed: %d; key messages at the bench'"'"'s own window: %d (4 sent per click); settings reads during the clicks: %d (goal 0)", $2, $4, $6 }' <<<"$figures")"
