#!/usr/bin/env bash
# tests/display/game_display_test.sh CASE EXECUTABLE: playing the built game on a real X display.
# Cases: about_popup, about_from_caption, instructions_viewer, salvo, keys_after_start,
# quit_during_sound, hostile_data, full_game, keyboard_game, button_keys, menu_keys,
# keys_without_window_manager.
source "$(dirname "$0")/display_session.sh"
case_name=$1
game=$2

click_at() {  # x y, in the client area
    xdotool mousemove --window "$client" "$1" "$2" click 1
    sleep "${3:-0.15}"
}

right_click_at() {
    xdotool mousemove --window "$client" "$1" "$2" click 3
    sleep 0.3
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
    find_client_area
}

expect_exit_zero() {
    wait_for_exit 15
    [ "$exit_code" = "0" ] || fail "the game ended with '$exit_code', not 0 ($(cat "$game_log"))"
}

# A copy of the game beside a data folder of its own, built from the build tree's; the game is
# started from the copy. Its files can then be replaced at will.
own_data_folder() {
    folder=$(mktemp -d)
    local build
    build=$(dirname "$game")
    cp "$game" "$folder/" && cp -r "$build/Pictures" "$build/Sounds" "$folder/" || fail "no copy"
    cp "$build/instruct.txt" "$folder/" 2>/dev/null
    game="$folder/$(basename "$game")"
}

aim_one_salvo() {
    click_at 217 30        # Place Random
    click_at 72 30         # START
    sleep 0.5
    for column in 0 2 4 6 8; do click_cell 1 "$column" 5 0.05; done
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
    about_from_caption)
        # The pop-up holds the pointer on the whole screen: a click on the main window's caption,
        # which the window manager draws, closes it; afterwards the caption is the desktop's again.
        start
        click_at 807 30
        wait_for_window Splash 10 >/dev/null || fail "the About picture did not appear"
        sleep 0.5
        xdotool mousemove 500 8 click 1
        sleep 1
        xdotool search --onlyvisible --name '^Splash$' >/dev/null && fail "the picture stayed up"
        xdotool mousemove 1014 9 click 1  # the close box
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
        region=${width}x${height}+${viewer_x}+${viewer_y}
        region_differs "$artifacts/instructions-top.png" "$artifacts/instructions-scrolled.png" \
            "$region" || fail "the text did not scroll"
        # The keys of a text viewer and the wheel: Home goes back to the very top, End and the
        # wheel move the text, Page Up after End too.
        xdotool windowactivate --sync "$viewer" key Home
        sleep 0.5
        screenshot instructions-home
        region_differs "$artifacts/instructions-top.png" "$artifacts/instructions-home.png" \
            "$region" && fail "Home did not go back to the top"
        xdotool mousemove $(( viewer_x + width / 2 )) $(( viewer_y + height / 2 )) click 5 click 5
        sleep 0.5
        screenshot instructions-wheel
        region_differs "$artifacts/instructions-top.png" "$artifacts/instructions-wheel.png" \
            "$region" || fail "the wheel did not scroll"
        xdotool key End
        sleep 0.5
        screenshot instructions-end
        region_differs "$artifacts/instructions-wheel.png" "$artifacts/instructions-end.png" \
            "$region" || fail "End did not scroll"
        xdotool key Prior
        sleep 0.5
        screenshot instructions-page-up
        region_differs "$artifacts/instructions-end.png" "$artifacts/instructions-page-up.png" \
            "$region" || fail "Page Up did not scroll"
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
    quit_during_sound)
        # A drop sound of 25 seconds, played to its end before each shot's result: the close box
        # and File > Exit must still end the game at once.
        own_data_folder
        sox -n -r 8000 -b 16 -c 1 "$folder/Sounds/drop.wav" synth 25 sine 440 vol 0.1 \
            || fail "sox could not make the sound"
        for how in close_box file_exit; do
            start
            aim_one_salvo
            sleep 1
            if [ "$how" = close_box ]; then
                xdotool windowactivate --sync "$main" key alt+F4 2>/dev/null
            else
                choose_file_item e
            fi
            # Well short of the 25 s the sound would last, yet roomy on a loaded machine.
            wait_for_exit 10
            [ "$exit_code" = "0" ] || fail "$how during a sound: the game ended with '$exit_code'"
            stop_display
            trap stop_display EXIT
        done
        rm -rf "$folder"
        ;;
    hostile_data)
        # Every picture, sound and the instructions a named pipe: the game still starts (after
        # one message per ship), plays a salvo, shows an empty viewer and exits 0.
        own_data_folder
        for file in "$folder"/Pictures/*/*.bmp "$folder"/Pictures/*.bmp "$folder"/Sounds/*.wav \
                    "$folder/instruct.txt"; do
            [ -e "$file" ] || continue
            rm -f "$file" && mkfifo "$file"
        done
        start_display 1024x768x24
        start_game "$game"
        dismiss_boxes Error 30 Tidewrack
        main=$(wait_for_window Tidewrack 20) || fail "no main window appeared"
        find_client_area
        aim_one_salvo
        wait_until_idle
        click_at 952 30
        wait_for_window "Tidewrack Instructions" 10 >/dev/null || fail "the viewer did not open"
        screenshot hostile-data
        choose_file_item e
        expect_exit_zero
        rm -rf "$folder"
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
        fire_until_the_end || fail "the game did not end"
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
    button_keys)
        # The buttons from the keyboard: a disabled button's mnemonic does nothing, Tab shows
        # which button has the focus inside its edge, Space presses it as a click would, and Tab
        # after the last button gives the keyboard back to the board.
        start none
        xdotool windowactivate --sync "$main" 2>/dev/null
        wait_until_idle
        screenshot buttons-0-start
        xdotool key alt+s      # START, still disabled
        wait_until_idle
        sleep 0.3
        screenshot buttons-1-alt-s
        region_differs "$artifacts/buttons-0-start.png" "$artifacts/buttons-1-alt-s.png" \
            1024x768+0+0 && fail "Alt+S did something while START was disabled"
        xdotool key Tab        # to Place Random, the first button that takes the focus
        sleep 0.5
        screenshot buttons-2-focus
        # Inside Place Random, clear of the edge where the toolkit marks the focus by itself.
        read -r x y < <(xwininfo -id "$client" \
            | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x, y }')
        region_differs "$artifacts/buttons-1-alt-s.png" "$artifacts/buttons-2-focus.png" \
            "119x34+$(( x + 158 ))+$(( y + 13 ))" || fail "the focus does not show on Place Random"
        xdotool key space
        wait_until_idle
        screenshot buttons-3-placed
        region_differs "$artifacts/buttons-2-focus.png" "$artifacts/buttons-3-placed.png" \
            "480x504+18+$(( y + 78 ))" || fail "Space on Place Random placed no ship"
        # Tab goes round START, Place Random, About, Instructions and back to the board.
        xdotool key --delay 200 Tab Tab Tab Tab Tab
        sleep 0.5
        screenshot buttons-4-round
        region_differs "$artifacts/buttons-3-placed.png" "$artifacts/buttons-4-round.png" \
            "1024x60+0+$y" && fail "Tab did not bring the keyboard back to the board"
        # In battle, with the cursor shown: once Tab gave a button the keyboard, the arrows go
        # from button to button and leave the cursor alone, until Escape gives the board the
        # keyboard back.
        enemy_board="480x504+528+$(( y + 78 ))"
        xdotool key alt+s
        wait_until_idle
        xdotool key space
        wait_until_idle
        xdotool key --delay 200 Right Right Down Down  # away from the edges, where it would stop
        wait_until_idle
        screenshot buttons-5-cursor
        xdotool key Tab
        sleep 0.3
        xdotool key --delay 200 Right Down Left Up Left Up Right Down
        wait_until_idle
        sleep 0.3
        screenshot buttons-6-arrows-on-buttons
        region_differs "$artifacts/buttons-5-cursor.png" "$artifacts/buttons-6-arrows-on-buttons.png" \
            "$enemy_board" && fail "the arrows moved the cursor while a button had the keyboard"
        xdotool key Escape
        sleep 0.3
        xdotool key Right
        wait_until_idle
        sleep 0.3
        screenshot buttons-7-board-again
        region_differs "$artifacts/buttons-6-arrows-on-buttons.png" \
            "$artifacts/buttons-7-board-again.png" "$enemy_board" \
            || fail "after Escape the arrows did not move the cursor"
        choose_file_item e
        expect_exit_zero
        ;;
    menu_keys)
        # Keys typed while a menu is open, or while Alt has given the menu bar the keyboard, are
        # the menu's: a 1 there must not pick up the carrier (which would change the status line).
        start none
        xdotool windowactivate --sync "$main" 2>/dev/null
        wait_until_idle
        screenshot menu-keys-0
        xdotool key alt+f
        sleep 0.6
        xdotool key 1
        sleep 0.3
        xdotool key Escape Escape
        xdotool key alt
        sleep 0.6
        xdotool key 2
        sleep 0.3
        xdotool key Escape
        wait_until_idle
        sleep 0.3
        screenshot menu-keys-1
        region_differs "$artifacts/menu-keys-0.png" "$artifacts/menu-keys-1.png" \
            "1024x90+0+0" && fail "a key typed into the menu reached the game"
        choose_file_item e
        expect_exit_zero
        ;;
    keys_without_window_manager)
        # With no window manager to hand the keyboard round, the game does: the instructions
        # viewer takes it when it opens and gives it back when Escape closes it, and Escape
        # closes the About picture too.
        no_window_manager=1 start_display 1024x768x24
        start_game "$game"
        main=$(wait_for_window Tidewrack 20) || fail "no main window appeared"
        wait_until_idle
        xdotool key alt+i
        viewer=$(wait_for_window "Tidewrack Instructions" 10) || fail "Alt+I opened no viewer"
        wait_until_idle
        xdotool key Escape
        sleep 0.5
        xdotool search --onlyvisible --name '^Tidewrack Instructions$' >/dev/null \
            && fail "Escape left the viewer open"
        xdotool key alt+a
        wait_for_window Splash 10 >/dev/null || fail "Alt+A after the viewer showed no About picture"
        wait_until_idle
        xdotool key Escape
        sleep 0.5
        xdotool search --onlyvisible --name '^Splash$' >/dev/null && fail "Escape left the About picture up"
        # Without a caption the window reaches the screen's bottom, with no strip left bare.
        info=$(xwininfo -id "$main")
        bottom=$(( $(echo "$info" | awk '/Absolute upper-left Y/ { print $4 }') \
            + $(echo "$info" | awk '/Height:/ { print $2 }') ))
        [ "$bottom" -ge 768 ] || fail "the main window ends at $bottom, short of the screen's 768"
        # A box answered by Return gives the keyboard back: Alt+P then lays out the fleet.
        find_client_area
        screenshot no-wm-before-box
        xdotool key alt+f
        sleep 0.4
        xdotool key t
        wait_for_window Statistics 10 >/dev/null || fail "no Statistics box"
        sleep 0.3
        xdotool key Return
        sleep 0.5
        xdotool search --onlyvisible --name '^Statistics$' >/dev/null && fail "Return left the box up"
        xdotool key alt+p
        wait_until_idle
        sleep 0.3
        screenshot no-wm-after-box
        region_differs "$artifacts/no-wm-before-box.png" "$artifacts/no-wm-after-box.png" \
            "480x504+18+100" || fail "after the box closed the main window heard no key"
        xdotool key alt+f
        sleep 0.4
        xdotool key e
        expect_exit_zero
        ;;
    keyboard_game)
        # A whole game with the keyboard alone: two ships laid by keys, the rest by Alt+P, Alt+S,
        # then the cursor until the end.
        start none
        xdotool windowactivate --sync "$main" 2>/dev/null
        xdotool key --delay 60 1 Return 3 r Right Right Right Right Right Right Right Right Right \
            Right Right Down Down Return
        wait_until_idle
        screenshot keys-1-two-placed
        xdotool key alt+p
        wait_until_idle
        screenshot keys-2-placed
        xdotool key alt+s
        wait_until_idle
        screenshot keys-2-started
        # The battle is on: the enemy's ships have left their docks below the enemy board.
        region_differs "$artifacts/keys-2-placed.png" "$artifacts/keys-2-started.png" \
            "480x130+528+630" || fail "Alt+S did not start the battle"
        fire_by_keys_until_the_end || fail "the game did not end"
        sleep 0.5
        screenshot keys-3-over
        xdotool search --onlyvisible --name '^Splash$' >/dev/null 2>&1 && xdotool mousemove 20 740 click 1
        sleep 0.5
        choose_file_item e
        expect_exit_zero
        ;;
    *)
        fail "unknown case $case_name"
        ;;
esac
echo "passed: $case_name"
