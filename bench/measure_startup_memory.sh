#!/usr/bin/env bash
# bench/measure_startup_memory.sh [BUILD_FOLDER] [RUNS]: on a private 1024x768 Xvfb, the time from
# starting a program to its main window being visible, and its peak resident memory, for the game
# and for a bare Qt main window side by side; medians over the runs. Then the game's idle CPU.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/test}
runs=${2:-5}
source "$root/tests/display/display_session.sh"
start_display 1024x768x24

# measure PROGRAM TITLE: prints "milliseconds peak_kilobytes" for one run.
measure() {
    local started ended pid peak
    started=$(date +%s%N)
    "$1" >/dev/null 2>&1 &
    pid=$!
    timeout 60 xdotool search --sync --onlyvisible --name "^$2\$" >/dev/null 2>&1
    ended=$(date +%s%N)
    sleep 1
    peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    echo "$(( (ended - started) / 1000000 )) $peak"
}

median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

report() {
    local name=$1 program=$2 title=$3 results
    results=$(for _ in $(seq 1 "$runs"); do measure "$program" "$title"; done)
    time_ms=$(echo "$results" | awk '{print $1}' | median)
    peak_kb=$(echo "$results" | awk '{print $2}' | median)
    printf '%-12s window visible after %5d ms, peak resident memory %6.1f MB\n' \
        "$name" "$time_ms" "$(echo "$peak_kb / 1024" | bc -l)"
}

report "bare window" "$build/tools/bare_window/bare_window" Bare
bare_ms=$time_ms
report "tidewrack" "$build/tidewrack" Tidewrack
echo "start-up ratio: $(echo "scale=2; $time_ms / $bare_ms" | bc -l) (target at most 1.5)"
stop_display
trap - EXIT
"$root/bench/measure_idle_cpu.sh" "$build/tidewrack" 10
