#!/usr/bin/env bash
# tools/soak.sh [build-dir]: long sessions, to see that memory stays flat. First 500 whole games in
# one run of the program on the headless host; then the built game on a private X display: 30
# rounds of opening and closing 20 instructions viewers, 50 About pictures, and 20 whole games.
# Prints resident memory after each stage, and how far it moved from where it stood after the
# first round (it should stay within 2 MB). Takes half an hour or so; not part of the suite.
# SOAK_GAMES, SOAK_ROUNDS, SOAK_ABOUT and SOAK_DISPLAY_GAMES change the counts (500, 30, 50, 20).
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build/test}" && pwd)
cmake --build "$build" --target tidewrack soak_games -j2 >/dev/null || exit 1

games=${SOAK_GAMES:-500}
echo "== $games whole games on the headless host"
(cd "$build" && "$build/tools/soak_games/soak_games" "$games" 50) || { echo "the games did not all end" >&2; exit 1; }

echo "== on a real display"
export TIDEWRACK_ARTIFACTS=${TIDEWRACK_ARTIFACTS:-$(mktemp -d)}
source "$here/tests/display/display_session.sh"
# Sound off (no device): only memory is looked at here, and the salvos go faster.
start_display 1024x768x24
export SDL_AUDIODRIVER=none
start_game "$build/tidewrack"
dismiss_boxes "No Sound" 10 Tidewrack
main=$(wait_for_window Tidewrack 20) || fail "no main window appeared"
sleep 6  # the start-up picture closes itself
client=$(xwininfo -children -id "$main" | awk '/"Tidewrack"/ && $0 ~ /1024x/ && $0 !~ /1024x19/ {print $1; exit}')
[ -n "$client" ] || fail "no client area found"

baseline=""
resident() { awk '/^VmRSS:/ {print $2}' "/proc/$game_pid/status"; }
report() {  # stage name
    local now
    now=$(resident)
    [ -n "$baseline" ] || baseline=$now
    printf '%-28s resident %6d kB  (%+d kB from the first round)\n' "$1" "$now" $(( now - baseline ))
}
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

for round in $(seq 1 "${SOAK_ROUNDS:-30}"); do
    for _ in $(seq 1 20); do click 952 30; done
    for _ in $(seq 1 20); do
        viewer=$(wait_for_window "Tidewrack Instructions" 5) || fail "round $round: a viewer did not open"
        xdotool windowactivate --sync "$viewer" key alt+F4 2>/dev/null
        idle
    done
    xdotool search --onlyvisible --name '^Tidewrack Instructions$' >/dev/null && fail "a viewer stayed open"
    report "viewers, round $round"
done

for _ in $(seq 1 "${SOAK_ABOUT:-50}"); do
    click 807 30
    wait_for_window Splash 5 >/dev/null || fail "the About picture did not appear"
    xdotool mousemove 20 740 click 1
    idle
done
report "${SOAK_ABOUT:-50} About pictures"

top=$(awk -v h="$(xwininfo -id "$client" | awk '/Height:/ {print $2}')" 'BEGIN { print int(0.1075 * h) }')
for game in $(seq 1 "${SOAK_DISPLAY_GAMES:-20}"); do
    click 217 30  # Place Random
    click 72 30   # START
    ended=""
    for row in $(seq 0 11); do
        for column in $(seq 0 11); do
            click $(( 527 + column * 40 + 20 )) $(( top + row * 42 + 21 ))
            if xdotool search --onlyvisible --name '^Splash$' >/dev/null 2>&1; then
                ended=yes
                break 2
            fi
        done
    done
    [ -n "$ended" ] || fail "game $game did not end"
    xdotool mousemove 20 740 click 1
    idle
    xdotool windowactivate --sync "$main" key alt+f
    sleep 0.3
    xdotool key n
    idle
    report "whole game $game"
done

xdotool windowactivate --sync "$main" key alt+F4
wait_for_exit 15
echo "the game ended with $exit_code"
