#!/usr/bin/env bash
# bench/measure_game_memory.sh [BUILD_FOLDER] [GAMES]: the game's peak resident memory from its
# start to the end of whole games (3 unless given), played with the mouse on a private 1024x768
# Xvfb with openbox and the dummy sound driver, so the sounds are opened and played as usual.
# Prints the peak after start-up and after each game.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/test}
games=${2:-3}
source "$root/tests/display/display_session.sh"
start_display 1024x768x24
start_game "$build/tidewrack"
dismiss_boxes "No Sound" 10 Tidewrack
main=$(wait_for_window Tidewrack 20) || fail "no main window appeared"
sleep 6  # the start-up picture closes itself
client=$(xwininfo -children -id "$main" | awk '/"Tidewrack"/ && $0 ~ /1024x/ && $0 !~ /1024x19/ {print $1; exit}')
[ -n "$client" ] || fail "no client area found"

peak() { awk '/^VmHWM:/ {printf "%.1f MB", $2 / 1024}' "/proc/$game_pid/status"; }
idle() {  # until the game has used no CPU for a tenth of a second
    local last=-1 now
    for _ in $(seq 1 600); do
        now=$(awk '{ print $14 + $15 }' "/proc/$game_pid/stat" 2>/dev/null) || return
        [ "$now" = "$last" ] && return
        last=$now
        sleep 0.1
    done
}
click() { xdotool mousemove --window "$client" "$1" "$2" click 1; idle; }

echo "after start-up: peak resident memory $(peak)"
top=$(awk -v h="$(xwininfo -id "$client" | awk '/Height:/ {print $2}')" 'BEGIN { print int(0.1075 * h) }')
for game in $(seq 1 "$games"); do
    click 217 30  # Place Random
    click 72 30   # START
    # Sounds play in real time on the dummy driver, and a click while a salvo is resolved aims
    # nothing; so the board is swept again (a cell already fired at takes no shot) until the end.
    ended=""
    for sweep in $(seq 1 10); do
        for row in $(seq 0 11); do
            for column in $(seq 0 11); do
                click $(( 527 + column * 40 + 20 )) $(( top + row * 42 + 21 ))
                if xdotool search --onlyvisible --name '^Splash$' >/dev/null 2>&1; then
                    ended=yes
                    break 3
                fi
            done
        done
    done
    [ -n "$ended" ] || fail "game $game did not end"
    xdotool mousemove 20 740 click 1
    idle
    echo "after whole game $game: peak resident memory $(peak)"
    xdotool windowactivate --sync "$main" key alt+f
    sleep 0.3
    xdotool key n
    idle
done
