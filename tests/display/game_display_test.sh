#!/usr/bin/env bash
# tests/display/game_display_test.sh CASE EXECUTABLE: playing the built game on a real X display.
# Cases: about_popup, instructions_viewer, salvo, keys_after_start, full_game.
source "$(dirname "$0")/display_session.sh"
case_name=$1
game=$2

# The game's client area is a window of its own; clicks are given in its coordinates.
find_client_area() {
    local line
    line=$(xwininfo -children -id "$main" | awk '/"Tidewrack"/ && $0 ~ /1024x/ && $0 !~ /1024x19/ {print; exit}')
    [ -n "$line" ] || line=$(xwininfo -children -id "$main" | awk '/"Tidewrack"/ {l=$0} END {print l}')
    client=$(echo "$line" | awk '{print $1}')
    client_height=$(echo "$line" | sed -n 's/.* [0-9]*x\([0-9]*\)+.*/\1/p')
    [ -n "$client" ] || fail "no client area found"
}

click_at() {  # x y, in the client area
    xdotool mousemove --window "$client" "$1" "$2" click 1
    sleep "${3:-0.15}"
}

right_click_at() {
    xdotool mousemove --window "$client" "$1" "$2" click 3
    sleep 0.3
}

# Waits until the game has used no CPU for a tenth of a second: it has handled what it was sent.
wait_until_idle() {
    local last=-1 now
    for _ in $(seq 1 600); do
        now=$(awk '{ print $14 + $15 }' "/proc/$game_pid/stat" 2>/dev/null) || return
        [ "$now" = "$last" ] && return
        last=$now
        sleep 0.1
    done
}

# The centre of a cell of a board (0: the player's, 1: the enemy's) at 1024 by 768.
cell_x() { echo $(( $1 == 0 ? 17 + $2 * 40 + 20 : 527 + $2 * 40 + 20 )); }
cell_y() {
    local top
    top=$(awk -v h="$client_height" 'BEGIN { print int(0.1075 * h) }')
    echo $(( top + $1 * 42 + 21 ))
}

click_cell() { click_at "$(cell_x "$1" "$2")" "$(cell_y "$3")" "${4:-0.15}"; }

choose_file_item() {  # the mnemonic letter of an item of the File menu
    xdotool windowactivate --sync "$main" 2>/dev/null
    xdotool key --window "$main" alt+f
    sleep 0.4
    xdotool key "$1"
    sleep 0.5
}

start() {
    start_display 1024x768x24
    export SDL_AUDIODRIVER=${1:-dummy}
    start_game "$game"
    dismiss_boxes "No Sound" 10 Tidewrack
    main=$(wait_for_window Tidewrack 20) || fail "no main window appeared"
    sleep 6  # the start-up picture closes itself
    find_client_area
}

expect_exit_zero() {
    wait_for_exit 15
    [ "$exit_code" = "0" ] || fail "the game ended with '$exit_code', not 0 ($(cat "$game_log"))"
}

region_differs() {  # before after geometry
    local diff
    diff=$(compare -metric AE -crop "$3" "$1" "$2" null: 2>&1 | awk '{print int($1)}')
    [ "${diff:-0}" -gt 0 ]
}

case "$case_name" in
    about_popup)
        start
        click_at 807 30
        popup=$(wait_for_window Splash 10) || fail "the About picture did not appear"
        position=$(xdotool getwindowgeometry "$popup" | sed -n 's/.*Position: \([0-9]*,[0-9]*\).*/\1/p')
        [ "$position" = "312,184" ] || fail "the About picture is at $position, not centred"
        screenshot about-picture
        xdotool mousemove 20 740 click 1  # anywhere on the screen
        sleep 1
        xdotool search --onlyvisible --name '^Splash$' >/dev/null && fail "the picture stayed up"
        choose_file_item e
        expect_exit_zero
        ;;
    instructions_viewer)
        start
        click_at 952 30
        viewer=$(wait_for_window "Tidewrack Instructions" 10) || fail "the viewer did not open"
        sleep 1
        screenshot instructions-top
        geometry=$(xdotool getwindowgeometry "$viewer" | sed -n 's/.*Geometry: //p')
        viewer_x=$(xdotool getwindowgeometry "$viewer" | sed -n 's/.*Position: \([0-9]*\),.*/\1/p')
        viewer_y=$(xdotool getwindowgeometry "$viewer" | sed -n 's/.*Position: [0-9]*,\([0-9]*\).*/\1/p')
        width=${geometry%x*}
        height=${geometry#*x}
        # Page down through the scroll bar's trough, near its bottom end.
        for _ in 1 2; do
            xdotool mousemove $(( viewer_x + width - 6 )) $(( viewer_y + height - 40 )) click 1
            sleep 0.5
        done
        screenshot instructions-scrolled
        region_differs "$artifacts/instructions-top.png" "$artifacts/instructions-scrolled.png" \
            "${width}x${height}+${viewer_x}+${viewer_y}" || fail "the text did not scroll"
        xdotool windowactivate --sync "$viewer" key alt+F4
        sleep 1
        xdotool search --onlyvisible --name '^Tidewrack Instructions$' >/dev/null \
            && fail "the viewer did not close"
        kill -0 "$game_pid" || fail "closing the viewer ended the game"
        choose_file_item e
        expect_exit_zero
        ;;
    salvo)
        start none
        click_at 217 30        # Place Random
        click_at 72 30         # START
        sleep 0.5
        screenshot salvo-aiming-before
        for column in 0 2 4 6 8; do click_cell 1 "$column" 5; done
        wait_until_idle
        screenshot salvo-resolved
        region_differs "$artifacts/salvo-aiming-before.png" "$artifacts/salvo-resolved.png" \
            "480x504+528+100" || fail "no mark appeared on the enemy board"
        choose_file_item e
        expect_exit_zero
        ;;
    keys_after_start)
        # START takes the focus when clicked and is disabled by it; keys pressed then must not
        # press the button the focus would otherwise move on to (About).
        start none
        click_at 217 30        # Place Random
        click_at 72 30         # START
        xdotool key --window "$main" space Return space
        sleep 1
        xdotool search --onlyvisible --name '^Splash$' >/dev/null 2>&1 \
            && fail "a key pressed a button after START"
        xdotool search --onlyvisible --name '^Tidewrack Instructions$' >/dev/null 2>&1 \
            && fail "a key opened the instructions after START"
        choose_file_item e
        expect_exit_zero
        ;;
    full_game)
        start none
        screenshot game-1-start
        # Carry the carrier onto the board: pick it up, move over, put it down.
        click_at 130 630
        xdotool mousemove --window "$client" 200 300
        click_cell 0 1 1 0.3
        # Turn the cruiser in its dock with a right click, carry it, put it down upright.
        right_click_at 100 688
        xdotool mousemove --window "$client" 300 300
        click_cell 0 8 3 0.3
        screenshot game-2-placed-by-hand
        click_at 217 30        # Place Random
        screenshot game-3-placed-at-random
        click_at 72 30         # START
        sleep 0.5
        # Each shot waits until the game is idle again, so no click falls into a resolution
        # (where the game ignores it) or closes the end picture before it is seen.
        ended=""
        for row in $(seq 0 11); do
            for column in $(seq 0 11); do
                click_cell 1 "$column" "$row" 0.02
                wait_until_idle
                if xdotool search --onlyvisible --name '^Splash$' >/dev/null 2>&1; then
                    ended=yes
                    break 2
                fi
            done
        done
        [ -n "$ended" ] || fail "the game did not end"
        sleep 0.5
        screenshot game-4-over
        # Close the end picture, if a click has not closed it already.
        xdotool search --onlyvisible --name '^Splash$' >/dev/null 2>&1 && xdotool mousemove 20 740 click 1
        sleep 0.5
        choose_file_item n
        screenshot game-5-new-game
        choose_file_item e
        expect_exit_zero
        ;;
    *)
        fail "unknown case $case_name"
        ;;
esac
echo "passed: $case_name"
