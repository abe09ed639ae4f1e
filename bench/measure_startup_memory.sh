#!/usr/bin/env bash
# bench/measure_startup_memory.sh [BUILD_FOLDER] [RUNS]: on a private 1024x768 Xvfb with openbox,
# the time from starting a program to its main window being visible, and its peak resident memory,
# for the game and for a bare Qt main window with a menu bar, run alternately; medians over the
# runs (9 unless given). Then the game's idle CPU.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/test}
runs=${2:-9}
source "$root/tests/display/display_session.sh"
start_display 1024x768x24

# A poll every 5 ms or so: xdotool's own --sync looks only twice a second, which would round
# every start up to the next half second and make both programs look alike.
wait_visible() {  # TITLE: true once a visible window has exactly this title, false after 30 s
    local deadline=$(( $(date +%s) + 30 ))
    until xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; do
        [ "$(date +%s)" -lt "$deadline" ] || return 1
        sleep 0.005
    done
}

# measure PROGRAM TITLE: prints "milliseconds peak_kilobytes" for one run.
measure() {
    local started ended pid peak
    started=$(date +%s%N)
    "$1" >/dev/null 2>&1 &
    pid=$!
    wait_visible "$2"
    ended=$(date +%s%N)
    sleep 1
    peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    echo "$(( (ended - started) / 1000000 )) $peak"
}

median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

bare_results=""
game_results=""
for _ in $(seq 1 "$runs"); do
    bare_results+="$(measure "$build/tools/bare_window/bare_window" Bare)"$'\n'
    game_results+="$(measure "$build/tidewrack" Tidewrack)"$'\n'
done

report() {  # NAME RESULTS: sets time_ms and peak_kb to the medians and prints them
    time_ms=$(echo -n "$2" | awk '{print $1}' | median)
    peak_kb=$(echo -n "$2" | awk '{print $2}' | median)
    printf '%-12s window visible after %5d ms, peak resident memory %6.1f MB  (runs, ms: %s)\n' \
        "$1" "$time_ms" "$(echo "$peak_kb / 1024" | bc -l)" \
        "$(echo -n "$2" | awk '{print $1}' | paste -sd' ')"
}

report "bare window" "$bare_results"
bare_ms=$time_ms
report "tidewrack" "$game_results"
echo "start-up ratio: $(echo "scale=2; $time_ms / $bare_ms" | bc -l) (target at most 1.25)"
stop_display
trap - EXIT
"$root/bench/measure_idle_cpu.sh" "$build/tidewrack" 10
