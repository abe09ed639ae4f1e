#!/usr/bin/env bash
# tests/display/shell_display_test.sh CASE EXECUTABLE: the built game on a real X display.
# Cases: main_window, splash_on_top, close_box, alt_f4, installed, refuse_8bit, refuse_small,
# screen_1024, screen_800, screen_640, no_sound_click, no_sound_click_early. The third argument is
# the build folder.
source "$(dirname "$0")/display_session.sh"
case_name=$1
game=$2

# Ship picture errors would only show when the data folder is missing; answer them if they come.
open_main_window() {
    start_display "$1"
    start_game "$game"
    dismiss_boxes Error 15 Tidewrack
    main=$(wait_for_window Tidewrack 20) || fail "no main window appeared"
}

expect_exit_zero() {
    [ -z "$game_pid" ] || wait_for_exit 10
    [ "$exit_code" = "0" ] || fail "$case_name: the game ended with '$exit_code', not 0 ($(cat "$game_log"))"
}

case "$case_name" in
    main_window)
        # The one case that shows the start-up picture: it closes itself after five seconds.
        with_splash=1 open_main_window 1024x768x24
        wait_for_window Splash 10 >/dev/null || fail "no start-up picture appeared"
        geometry=$(xdotool getwindowgeometry "$main" | sed -n 's/.*Geometry: //p')
        width=${geometry%x*}
        [ "$width" = "1024" ] || fail "the main window is $geometry, not 1024 wide"
        wait_for_no_splash 15 || fail "the start-up picture did not close itself"
        screenshot main-window
        xdotool windowactivate --sync "$main" key alt+f
        sleep 0.5
        xdotool key e
        expect_exit_zero
        ;;
    splash_on_top)
        # The start-up picture, shown before the main window, must not end up behind it once the
        # window manager has activated the main window: the screen shows the picture itself, and a
        # click on the main window closes it rather than being swallowed for its five seconds.
        picture="$artifacts/splash-picture.png"
        convert "$3/resources/generated/bitmap102.bmp" "$picture" || fail "no start-up picture built"
        with_splash=1 open_main_window 1024x768x24
        shown=0
        for _ in $(seq 1 30); do
            xdotool search --onlyvisible --name '^Splash$' >/dev/null 2>&1 || break
            screenshot splash-on-top
            convert "$artifacts/splash-on-top.png" -crop 640x480+192+144 +repage \
                "$artifacts/splash-on-top-centre.png"
            differing=$(compare -metric AE -fuzz 3% "$artifacts/splash-on-top-centre.png" \
                "$picture" null: 2>&1 | awk '{print int($1)}')
            if [ "${differing:-307200}" -lt 3000 ]; then
                shown=1
                break
            fi
            sleep 0.1
        done
        [ "$shown" = 1 ] || fail "the start-up picture was not on top of the main window"
        xdotool mousemove 60 740 click 1
        wait_for_no_splash 2 || fail "a click during the start-up picture did not close it"
        kill -0 "$game_pid" || fail "the click ended the game"
        close_with_alt_f4
        expect_exit_zero
        ;;
    no_sound_click | no_sound_click_early)
        # No sound device: the "No Sound" box comes up over the start-up picture, which holds the
        # mouse. A click on OK closes the box, both while the picture is still up (the picture
        # then goes on and closes by itself) and after the picture closed on time behind the box.
        start_display 1024x768x24
        export SDL_AUDIODRIVER=no_such_driver
        with_splash=1 start_game "$game"
        box=$(wait_for_window "No Sound" 20) || fail "no 'No Sound' box appeared"
        wait_for_window Splash 5 >/dev/null || fail "no start-up picture under the box"
        if [ "$case_name" = no_sound_click ]; then
            wait_for_no_splash 12 || fail "the start-up picture did not close while the box waited"
            xdotool search --onlyvisible --name '^No Sound$' >/dev/null || fail "the box went by itself"
        fi
        screenshot "${case_name//_/-}-box"
        # The OK button sits at the bottom right of the box's client area.
        info=$(xwininfo -id "$box")
        left=$(echo "$info" | awk '/Absolute upper-left X/ { print $4 }')
        top=$(echo "$info" | awk '/Absolute upper-left Y/ { print $4 }')
        width=$(echo "$info" | awk '/Width:/ { print $2 }')
        height=$(echo "$info" | awk '/Height:/ { print $2 }')
        if [ "$case_name" = no_sound_click_early ]; then
            xdotool search --onlyvisible --name '^Splash$' >/dev/null \
                || fail "the start-up picture was gone before OK could be clicked"
        fi
        xdotool mousemove $(( left + width - 52 )) $(( top + height - 25 )) click 1
        for _ in $(seq 1 30); do
            xdotool search --onlyvisible --name '^No Sound$' >/dev/null 2>&1 || break
            sleep 0.1
        done
        xdotool search --onlyvisible --name '^No Sound$' >/dev/null 2>&1 && fail "a click on OK left the box up"
        wait_for_no_splash 12 || fail "the start-up picture did not close by itself after the box"
        main=$(wait_for_window Tidewrack 10) || fail "no main window after the box"
        close_with_alt_f4
        expect_exit_zero
        ;;
    close_box)
        open_main_window 1024x768x24
        sleep 1
        # The desktop's close box sits at the right end of the caption.
        xdotool mousemove 1014 9 click 1
        expect_exit_zero
        ;;
    alt_f4)
        open_main_window 800x600x24
        sleep 1
        close_with_alt_f4
        expect_exit_zero
        ;;
    installed)
        # Installed under a prefix of its own and started from elsewhere, the game finds its data.
        prefix=$(mktemp -d)
        cmake --install "$3" --prefix "$prefix" >/dev/null || fail "the install failed"
        game="$prefix/bin/tidewrack"
        cd /
        open_main_window 1024x768x24
        [ "$boxes_dismissed" = 0 ] || fail "the installed game did not find its pictures"
        screenshot installed-game
        close_with_alt_f4
        expect_exit_zero
        rm -rf "$prefix"
        ;;
    screen_1024 | screen_800 | screen_640)
        # The fleet laid out at random at each screen size, kept as a screenshot to look at:
        # smooth sea and boards, ships without halos, every caption and status text whole.
        width=${case_name#screen_}
        case "$width" in
            1024) open_main_window 1024x768x24 ;;
            800) open_main_window 800x600x24 ;;
            640) open_main_window 640x480x16 ;;
        esac
        wait_until_idle
        geometry=$(xdotool getwindowgeometry "$main" | sed -n 's/.*Geometry: //p')
        [ "${geometry%x*}" = "$width" ] || fail "the main window is $geometry, not $width wide"
        # Place Random, at design point (217, 30), on the client area below caption and menu bar.
        client=$(xwininfo -children -id "$main" | awk '/"Tidewrack"/ {id=$1} END {print id}')
        screenshot "screen-$width-docked"
        xdotool mousemove --window "$client" $(( 217 * width / 1024 )) $(( 30 * width / 1024 )) click 1
        sleep 1
        screenshot "screen-$width"
        moved=$(compare -metric AE "$artifacts/screen-$width-docked.png" "$artifacts/screen-$width.png" \
            null: 2>&1 | awk '{print int($1)}')
        [ "${moved:-0}" -gt 0 ] || fail "Place Random changed nothing on the screen"
        close_with_alt_f4
        expect_exit_zero
        ;;
    refuse_8bit | refuse_small)
        if [ "$case_name" = refuse_8bit ]; then
            start_display 1024x768x8
            expected="16-bit High Color"
        else
            start_display 600x800x24
            expected="at least 640 by 480"
        fi
        start_game "$game"
        box=$(wait_for_window Error 10) || fail "no message box appeared"
        sleep 1
        screenshot "$case_name"
        # Readable: the box's inside holds more than one colour (text on a background).
        import -window "$box" "$artifacts/$case_name-box.png"
        colours=$(convert "$artifacts/$case_name-box.png" -format %k info:)
        [ "${colours:-0}" -ge 2 ] || fail "the message box shows no text"
        # The message box, where the toolkit could show one, is answered like a player would.
        xdotool key Return 2>/dev/null
        dismiss_boxes "Error" 2
        expect_exit_zero
        grep -q "$expected" "$game_log" || fail "the message did not name the reason: $(cat "$game_log")"
        ;;
    *)
        fail "unknown case $case_name"
        ;;
esac
echo "passed: $case_name"
