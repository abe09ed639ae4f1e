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
find_client_area

baseline=""
resident() { awk '/^VmRSS:/ {print $2}' "/proc/$game_pid/status"; }
report() {  # stage name
    local now
    now=$(resident)
    [ -n "$baseline" ] || baseline=$now
    printf '%-28s resident %6d kB  (%+d kB from the first round)\n' "$1" "$now" $(( now - baseline ))
}
click() { xdotool mousemove --window "$client" "$1" "$2" click 1; wait_until_idle; }

for round in $(seq 1 "${SOAK_ROUNDS:-30}"); do
    for _ in $(seq 1 20); do click 952 30; done
    for _ in $(seq 1 20); do
        viewer=$(wait_for_window "Tidewrack Instructions" 5) || fail "round $round: a viewer did not open"
        xdotool windowactivate --sync "$viewer" key alt+F4 2>/dev/null
        wait_until_idle
    done
    xdotool search --onlyvisible --name '^Tidewrack Instructions$' >/dev/null && fail "a viewer stayed open"
    report "viewers, round $round"
done

for _ in $(seq 1 "${SOAK_ABOUT:-50}"); do
    click 807 30
    wait_for_window Splash 5 >/dev/null || fail "the About picture did not appear"
    xdotool mousemove 20 740 click 1
    wait_until_idle
done
report "${SOAK_ABOUT:-50} About pictures"

for game in $(seq 1 "${SOAK_DISPLAY_GAMES:-20}"); do
    click 217 30  # Place Random
    click 72 30   # START
    fire_until_the_end || fail "game $game did not end"
    xdotool mousemove 20 740 click 1
    wait_until_idle
    xdotool windowactivate --sync "$main" key alt+f
    sleep 0.3
    xdotool key n
    wait_until_idle
    report "whole game $game"
done

xdotool windowactivate --sync "$main" key alt+F4
wait_for_exit 15
echo "the game ended with $exit_code"
