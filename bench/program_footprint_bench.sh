#!/usr/bin/env bash
# The program's footprint against two yardsticks, all measured in this run under the same Wine:
# tray_baseline.exe, the least program of its shape (one window, one tray icon, a low-level mouse hook,
# a message loop, linked the same way), and minimal_product.exe, the same product built the minimal
# way on the same platform pieces (the program's manifest, OLE, the common controls, the three
# controls with the 75 key names, tray icon, hook), which shows what the program's own layers cost.
# Idle resident memory in the tray, start to window shown, and the file size. Prints figures beside
# their goals; never fails on a figure.
#   program_footprint_bench.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: program_footprint_bench.sh BUILD_DIR}" && pwd)
session_name=footprint
source "$(dirname "$0")/../tools/program-session.sh"

baseline=$build/bench/tray_baseline.exe
minimal=$build/bench/minimal_product.exe
timer=$build/bench/window_start_timer.exe
for exe in "$baseline" "$minimal" "$timer"; do
  [ -f "$exe" ] || { echo "footprint: $exe is missing; build the bench target" >&2; exit 1; }
done
memory_rounds=3
start_rounds=15

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

session_begin "$build"
if session_probe window "$session_title" any 0 >/dev/null; then
  session_fail "a copy of the program already runs in this session"
  exit 1
fi

# measure_resident VAR EXE: VmRSS of the Linux process that is the Wine process (it counts the Wine
# libraries mapped into it, as for the baseline), read once the tray icon is there and the process
# has idled.
measure_resident() {
  local pid
  session_start pid "$2"
  session_probe tray 1 30000 >/dev/null || { session_fail "no tray icon from $2"; exit 1; }
  sleep 2
  printf -v "$1" '%s' "$(sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\) kB$/\1/p' "/proc/$pid/status")"
  session_stop "$pid"
  session_probe tray 0 5000 >/dev/null || true  # Wine removes a dead owner's icon by itself
}

session_store_setting xrcode 116  # a saved key: the program starts hidden in the tray
program_kb=() baseline_kb=() minimal_kb=()
for _ in $(seq "$memory_rounds"); do
  measure_resident kb "$baseline"
  baseline_kb+=("$kb")
  measure_resident kb "$minimal"
  minimal_kb+=("$kb")
  measure_resident kb "$session_program"
  program_kb+=("$kb")
done
program_rss=$(printf '%s\n' "${program_kb[@]}" | median)
baseline_rss=$(printf '%s\n' "${baseline_kb[@]}" | median)
minimal_rss=$(printf '%s\n' "${minimal_kb[@]}" | median)

session_forget_settings  # nothing saved: the program shows its form
session_start timer_pid "$timer" "$start_rounds" \
  "$session_title" "\"$(session_windows_path "$session_program")\"" \
  "lanfhe tray baseline" "\"$(session_windows_path "$baseline")\" shown"
wait "$timer_pid" || { session_fail "the start timer failed: $(cat "$session_output.err")"; exit 1; }
program_ms=$(awk '$1 == "start" { print $2 }' "$session_output" | median)
baseline_ms=$(awk '$1 == "start" { print $3 }' "$session_output" | median)
# The same again against the minimal product, in turns with the program in one timer.
session_start timer_pid "$timer" "$start_rounds" \
  "$session_title" "\"$(session_windows_path "$session_program")\"" \
  "lanfhe minimal product" "\"$(session_windows_path "$minimal")\""
wait "$timer_pid" || { session_fail "the start timer failed: $(cat "$session_output.err")"; exit 1; }
program_against_minimal_ms=$(awk '$1 == "start" { print $2 }' "$session_output" | median)
minimal_ms=$(awk '$1 == "start" { print $3 }' "$session_output" | median)

program_bytes=$(stat -c %s "$session_program")
baseline_bytes=$(stat -c %s "$baseline")

echo "The program against a minimal program of its shape (bench/tray_baseline.cpp), measured in this run:"
echo "  idle resident memory in the tray (VmRSS, median of $memory_rounds starts each):" \
  "$(awk -v p="$program_rss" -v b="$baseline_rss" 'BEGIN { printf "program %.1f MiB, baseline %.1f MiB", p / 1024, b / 1024 }')," \
  "ratio $(ratio "$program_rss" "$baseline_rss")    goal: ratio at most 1.1"
echo "  start to window shown, warm (median of $start_rounds starts each, taking turns):" \
  "$(awk -v p="$program_ms" -v b="$baseline_ms" 'BEGIN { printf "program %.0f ms, baseline %.0f ms", p, b }')," \
  "ratio $(ratio "$program_ms" "$baseline_ms")    goal: ratio at most 1.2"
echo "  executable size: $(awk -v p="$program_bytes" 'BEGIN { printf "%.2f MB (%d bytes)", p / 1e6, p }')," \
  "baseline $baseline_bytes bytes    goal: at most 1.5 MB"
echo "The program against the same product built the minimal way (bench/minimal_product.cpp), measured in this run:"
echo "  idle resident memory in the tray (VmRSS, median of $memory_rounds starts each):" \
  "$(awk -v p="$program_rss" -v b="$minimal_rss" 'BEGIN { printf "program %.1f MiB, minimal product %.1f MiB", p / 1024, b / 1024 }')," \
  "ratio $(ratio "$program_rss" "$minimal_rss")    goal: ratio at most 1.05"
echo "  start to window shown, warm (median of $start_rounds starts each, taking turns):" \
  "$(awk -v p="$program_against_minimal_ms" -v b="$minimal_ms" 'BEGIN { printf "program %.0f ms, minimal product %.0f ms", p, b }')," \
  "ratio $(ratio "$program_against_minimal_ms" "$minimal_ms")    goal: ratio at most 1.1"
