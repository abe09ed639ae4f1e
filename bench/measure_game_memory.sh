#!/usr/bin/env bash
# bench/measure_game_memory.sh [BUILD_FOLDER] [GAMES] [SCALE]: the game's peak resident memory from its
# start to the end of whole games (3 unless given), played with the mouse on a private 1024x768
# Xvfb with openbox and the dummy sound driver, so the sounds are opened and played as usual.
# Prints the peak after start-up and after each game.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/test}
games=${2:-3}
# A third argument plays on a screen scaled by that factor (2: a 2048x1536 Xvfb with
# QT_SCALE_FACTOR=2), where the game still lays itself out for 1024 by 768.
screen_factor=${3:-1}
source "$root/tests/display/display_session.sh"
start_display "$(awk -v f="$screen_factor" 'BEGIN { printf "%dx%dx24", 1024 * f, 768 * f }')"
export QT_SCALE_FACTOR=$screen_factor
start_game "$build/tidewrack"
dismiss_boxes "No Sound" 10 Tidewrack
main=$(wait_for_window Tidewrack 20) || fail "no main window appeared"
sleep 6  # the start-up picture closes itself
find_client_area

peak() { awk '/^VmHWM:/ {printf "%.1f MB", $2 / 1024}' "/proc/$game_pid/status"; }
click() {
    xdotool mousemove --window "$client" "$(awk -v v="$1" -v f="$screen_factor" 'BEGIN { print int(v * f) }')" \
        "$(awk -v v="$2" -v f="$screen_factor" 'BEGIN { print int(v * f) }')" click 1
    wait_until_idle
}

echo "after start-up: peak resident memory $(peak)"
for game in $(seq 1 "$games"); do
    click 217 30  # Place Random
    click 72 30   # START
    # Sounds play in real time on the dummy driver: some clicks fall into a resolution.
    fire_until_the_end 10 || fail "game $game did not end"
    xdotool mousemove "$(( 20 * screen_factor ))" "$(( 740 * screen_factor ))" click 1
    wait_until_idle
    echo "after whole game $game: peak resident memory $(peak)"
    xdotool windowactivate --sync "$main" key alt+f
    sleep 0.3
    xdotool key n
    wait_until_idle
done
