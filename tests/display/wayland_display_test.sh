#!/usr/bin/env bash
# tests/display/wayland_display_test.sh CASE EXECUTABLE: the game in a Wayland session of weston
# with the pixman renderer, started as a player would start it there. Cases:
#   xwayland             nothing chosen by the player: the game must take the session's XWayland
#                        display, paint, play a salvo, close the About picture on a release over
#                        the main window and exit with 0;
#   xwayland_whole_game  the same start, without sound: a whole game up to its end picture,
#                        which a release closes;
#   native               Qt's Wayland platform chosen by the player: the client area must be
#                        painted.
#   native_scale_2       the same on an output of scale 2, kept as a screenshot to look at:
#                        the game draws at the output's own pixels.
#
# The native case runs on weston's headless backend, where a client area drawn with a zero alpha
# byte shows blank. The headless backend has no input devices, though, and XWayland 22 crashes
# on XTEST input without a pointer; so for play weston runs on its X11 backend inside our private
# Xvfb, and the player's mouse and keys, given to that Xvfb, reach the game through the
# compositor as a real player's do.
source "$(dirname "$0")/display_session.sh"
case_name=$1
game=$2

weston_pid=""
stop_session() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    if [ -n "$weston_pid" ]; then
        # weston can spin on its way out when XWayland is slow to go; it gets five seconds.
        kill "$weston_pid" 2>/dev/null
        for _ in $(seq 1 50); do kill -0 "$weston_pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$weston_pid" 2>/dev/null
        wait "$weston_pid" 2>/dev/null
    fi
    stop_display
    [ -n "${runtime_dir:-}" ] && rm -rf "$runtime_dir"
}
trap stop_session EXIT

# start_weston x11|headless: starts weston with XWayland in a fresh runtime folder, and sets
# WAYLAND_DISPLAY and the XWayland display (xwayland_display); on the X11 backend also the
# output's place on the Xvfb (output_x, output_y).
start_weston() {
    backend=$1
    runtime_dir=$(mktemp -d)  # private (0700), as a session's runtime folder must be
    export XDG_RUNTIME_DIR=$runtime_dir
    export WAYLAND_DISPLAY=tidewrack-test
    weston_log=$artifacts/weston-$case_name.log
    rm -f "$weston_log"
    # --debug offers the screenshot protocol that the headless output is read through.
    # weston_scale (1 unless set) is the output's scale: that many pixels each way per point of
    # its 1024 by 768.
    weston --backend="$backend-backend.so" --use-pixman --width=1024 --height=768 \
        --scale="${weston_scale:-1}" --xwayland \
        --debug --socket="$WAYLAND_DISPLAY" --idle-time=0 --log="$weston_log" >/dev/null 2>&1 &
    weston_pid=$!
    local line="headless"
    for _ in $(seq 1 300); do
        [ "$backend" = x11 ] && line=$(xwininfo -root -tree 2>/dev/null | grep '"Weston Compositor' | head -n1)
        [ -n "$line" ] && grep -q "xserver listening on display" "$weston_log" 2>/dev/null && break
        sleep 0.1
    done
    xwayland_display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$weston_log")
    [ -n "$line" ] && [ -n "$xwayland_display" ] || fail "weston did not start"
    export XDG_SESSION_TYPE=wayland
    unset QT_QPA_PLATFORM
    [ "$backend" = x11 ] || return 0
    output_x=$(echo "$line" | awk '{ print $NF }' | cut -d+ -f2)
    output_y=$(echo "$line" | awk '{ print $NF }' | cut -d+ -f3)
    # weston's X11 backend takes the pointer's position when it enters the output and follows
    # its moves from there on, so the pointer is taken out and brought in once.
    xdotool mousemove 0 0
    sleep 0.2
    xdotool mousemove "$(( output_x + 512 ))" "$(( output_y + 384 ))"
}

output_screenshot() {
    if [ "$backend" = x11 ]; then
        import -window root -crop "1024x768+$output_x+$output_y" +repage "$artifacts/$1.png" \
            2>/dev/null
    else
        local folder
        folder=$(mktemp -d)
        (cd "$folder" && weston-screenshooter >/dev/null 2>&1)
        mv "$folder"/*.png "$artifacts/$1.png" 2>/dev/null
        rm -rf "$folder"
    fi
}

# Counts, in a screenshot shrunk to 128 by 96, the points that look like the sea, the player's
# board and the enemy's board; true when each covers a fair part of the picture.
is_painted() {
    local counts sea own enemy
    counts=$(convert "$artifacts/$1.png" -resize '128x96!' -depth 8 txt:- | awk -F'[(),]' '
        NR > 1 { r = $2; g = $3; b = $4
                 if (b > r + 60 && b > g + 25) sea++
                 else if (g > r + 40 && b > r + 40) own++
                 else if (r > g + 50 && r > b + 50) enemy++ }
        END { printf "%d %d %d", sea, own, enemy }')
    read -r sea own enemy <<<"$counts"
    painting="$sea sea, $own own board, $enemy enemy board points"
    # A board covers some 1500 of the 12288 points, the sea between and around them more.
    [ "$sea" -gt 300 ] && [ "$own" -gt 600 ] && [ "$enemy" -gt 600 ]
}

expect_painted() { is_painted "$1" || fail "$1 is not painted: $painting"; }

# wait_for_screen SECONDS NAME CHECK ARGS...: takes screenshot NAME every half second until
# "CHECK NAME ARGS..." holds; false when it still does not after SECONDS.
wait_for_screen() {
    local seconds=$1 name=$2 check=$3
    shift 3
    for _ in $(seq 1 $(( seconds * 2 ))); do
        output_screenshot "$name"
        "$check" "$name" "$@" && return 0
        sleep 0.5
    done
    return 1
}

# all_cells_differ SHOT REFERENCE COLUMN...: every listed cell of row 5 of the enemy board
# looks different in the two screenshots.
all_cells_differ() {
    local shot=$1 reference=$2 column
    shift 2
    for column in "$@"; do
        region_differs "$artifacts/$reference.png" "$artifacts/$shot.png" \
            "24x24+$(( client_x + $(cell_x 1 "$column") - 12 ))+$(( client_y + $(cell_y 5) - 12 ))" ||
            return 1
    done
}

salvo_marked() {
    all_cells_differ "$1" wayland-xwayland-2-unaimed "${columns[@]}" &&
        all_cells_differ "$1" wayland-xwayland-3-aimed "${columns[@]:0:4}"
}

# picture_shown SHOT GEOMETRY: the area holds a picture, not one flat colour.
picture_shown() {
    local spread
    spread=$(convert "$artifacts/$1.png" -crop "$2" -format '%[fx:int(1000 * standard_deviation)]' info:)
    [ "${spread:-0}" -gt 50 ]
}

on_x() { DISPLAY=$xwayland_display "$@"; }

# Clicks a point of the game's client area, given in its own coordinates. The pointer rests a
# moment before the click, so that weston has moved it there when the button goes down.
click_at() {
    xdotool mousemove "$(( output_x + client_x + $1 ))" "$(( output_y + client_y + $2 ))" \
        sleep 0.1 click 1 sleep 0.1
    # Then it rests over the status line, where weston's drawing of it hides no cell.
    xdotool mousemove "$(( output_x + client_x + 500 ))" "$(( output_y + client_y + 30 ))"
    sleep 0.15
}

# start_on_xwayland AUDIO_DRIVER: weston on the X11 backend, the game started with nothing
# chosen, up and past its start-up picture; sets client_x, client_y, client_height.
start_on_xwayland() {
    start_display 1280x1024x24
    start_weston x11
    export SDL_AUDIODRIVER=$1
    DISPLAY=$xwayland_display start_game "$game"
    if [ "$1" = none ]; then
        # Without a sound device the game says so first; Return answers, as a player would.
        on_x wait_for_window "No Sound" 30 >/dev/null || fail "no 'No Sound' message appeared"
        for _ in $(seq 1 20); do
            on_x xdotool search --onlyvisible --name '^No Sound$' >/dev/null 2>&1 || break
            xdotool key Return
            sleep 0.5
        done
    fi
    on_x wait_for_window Tidewrack 30 >/dev/null ||
        fail "the game did not open its window on XWayland ($(cat "$game_log"))"
    # The start-up picture closes itself after five seconds.
    for _ in $(seq 1 300); do picture_up || break; sleep 0.1; done
    wait_until_idle
    local line
    line=$(on_x xwininfo -root -tree | awk '/"Tidewrack"/ && / 1024x[0-9]+\+0\+[1-9]/ { print; exit }')
    [ -n "$line" ] || fail "no client area found"
    client_height=$(echo "$line" | sed -n 's/.* 1024x\([0-9]*\)+.*/\1/p')
    client_x=$(echo "$line" | awk '{ print $NF }' | cut -d+ -f2)
    client_y=$(echo "$line" | awk '{ print $NF }' | cut -d+ -f3)
}

picture_up() { on_x xdotool search --onlyvisible --name '^Splash$' >/dev/null 2>&1; }

# Where the picture pop-up lies on the output, as WIDTHxHEIGHT+X+Y.
picture_geometry() {
    on_x xwininfo -root -tree | awk '/"Splash"/ {
        split($NF, at, "+"); split($(NF - 1), size, "+"); print size[1] "+" at[2] "+" at[3]; exit }'
}

# Closes the game with File > Exit from the keyboard and expects the exit code 0. On a loaded
# machine the menu can open after its letter was typed, so a menu left open is closed and the
# choice made again, a few times at most. Each try first clicks the status line, which does
# nothing in the game: after a picture closed, weston may have left the keyboard to no window.
exit_by_menu() {
    for _ in 1 2 3; do
        click_at 500 30
        xdotool key alt+f
        sleep 1
        xdotool key e
        wait_for_exit 15
        [ "$exit_code" = timeout ] || break
        xdotool key Escape
    done
    [ "$exit_code" = "0" ] || fail "the game ended with '$exit_code', not 0 ($(cat "$game_log"))"
}

case "$case_name" in
    xwayland)
        start_on_xwayland dummy
        output_screenshot wayland-xwayland-1-start
        expect_painted wayland-xwayland-1-start

        click_at 217 30  # Place Random
        click_at 72 30   # START
        wait_until_idle
        output_screenshot wayland-xwayland-2-unaimed
        # Clicks travel through weston and XWayland, so the game's idleness alone does not say
        # they have all arrived: what is awaited is what shows on the screen.
        columns=(0 2 4 6 8)
        for column in "${columns[@]:0:4}"; do click_at "$(cell_x 1 "$column")" "$(cell_y 5)"; done
        wait_for_screen 20 wayland-xwayland-3-aimed all_cells_differ wayland-xwayland-2-unaimed \
            "${columns[@]:0:4}" || fail "the first four shots were not aimed"
        click_at "$(cell_x 1 8)" "$(cell_y 5)"
        # The salvo is played out, sounds and all; every shot cell then shows a mark in place of
        # the sea and of its crosshair.
        wait_for_screen 90 wayland-xwayland-4-salvo salvo_marked ||
            fail "no marks appeared where the salvo fell"
        wait_until_idle

        click_at 807 30  # About
        on_x wait_for_window Splash 10 >/dev/null || fail "the About picture did not appear"
        about=$(picture_geometry)
        wait_for_screen 10 wayland-xwayland-5-about picture_shown "$about" ||
            fail "the About picture was not drawn"
        click_at 400 650  # a release over the main window, outside the picture
        for _ in $(seq 1 100); do picture_up || break; sleep 0.1; done
        picture_up && fail "the About picture stayed up after a release over the main window"

        exit_by_menu
        ;;
    xwayland_whole_game)
        start_on_xwayland none
        click_at 217 30  # Place Random
        click_at 72 30   # START
        wait_until_idle
        # Every cell of the enemy board, row by row, until the end picture shows. A click that
        # reaches the game while it plays out a salvo is ignored there, so passes repeat. On a
        # loaded machine the game can look idle just before its end picture comes up, and a click
        # then would close the picture unseen: so the picture is looked for again right before
        # each click.
        for _ in 1 2 3; do
            for row in $(seq 0 11); do
                for column in $(seq 0 11); do
                    sleep 0.1
                    picture_up && break 3
                    xdotool mousemove "$(( output_x + client_x + $(cell_x 1 "$column") ))" \
                        "$(( output_y + client_y + $(cell_y "$row") ))" sleep 0.05 click 1
                    sleep 0.1
                    wait_until_idle
                    picture_up && break 3
                done
            done
        done
        for _ in $(seq 1 50); do picture_up && break; sleep 0.2; done
        picture_up || fail "the game did not end"
        wait_until_idle
        end=$(picture_geometry)
        wait_for_screen 10 wayland-xwayland-6-game-over picture_shown "$end" ||
            fail "the end picture was not drawn"
        click_at 400 650
        for _ in $(seq 1 100); do picture_up || break; sleep 0.1; done
        picture_up && fail "the end picture stayed up after a release"
        exit_by_menu
        ;;
    native | native_scale_2)
        start_display 1024x768x24
        # At scale 2 the compositor's output has 2048 by 1536 pixels for a 1024 by 768 desktop:
        # the game's own drawing must be at those pixels, as sharp as the toolkit's buttons.
        [ "$case_name" = native_scale_2 ] && weston_scale=2
        shot=wayland-${case_name//_/-}
        start_weston headless
        # The player's own choice stands, even with an X display at hand.
        export QT_QPA_PLATFORM=wayland
        DISPLAY=$xwayland_display start_game "$game"
        for _ in $(seq 1 30); do
            sleep 1
            output_screenshot "$shot"
            is_painted "$shot" && break
            kill -0 "$game_pid" 2>/dev/null || break
        done
        expect_painted "$shot"
        on_x xdotool search --name '^Tidewrack$' >/dev/null 2>&1 && fail "the game ran on X"
        ;;
    *)
        fail "unknown case $case_name"
        ;;
esac
echo "passed: $case_name"
