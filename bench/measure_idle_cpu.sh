#!/usr/bin/env bash
# bench/measure_idle_cpu.sh [EXECUTABLE] [SECONDS]: CPU use of the game while it waits with its
# window open and nothing happening, as a percentage of one core, on a private Xvfb.
# Run from anywhere; the default executable is build/test/tidewrack.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
game=${1:-$root/build/test/tidewrack}
seconds=${2:-10}
source "$root/tests/display/display_session.sh"

start_display 1024x768x24
start_game "$game"
dismiss_boxes Error 15 Tidewrack
wait_for_window Tidewrack 20 >/dev/null || { echo "no main window" >&2; exit 1; }
sleep 6  # past the start-up picture

ticks() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
hertz=$(getconf CLK_TCK)
before=$(ticks)
sleep "$seconds"
after=$(ticks)
awk -v used=$((after - before)) -v hz="$hertz" -v s="$seconds" \
    'BEGIN { printf "idle CPU over %d s: %.2f%% of one core\n", s, 100 * used / hz / s }'
