#!/usr/bin/env bash
# tests/display/display_session.sh: shared by the real-display tests. Starts a private Xvfb of the
# given size and depth with openbox on it (none when no_window_manager=1), and offers small helpers
# to drive the game with xdotool. Source it, then call start_display WIDTHxHEIGHTxDEPTH.
set -uo pipefail

artifacts=${TIDEWRACK_ARTIFACTS:-$PWD/test-artifacts}
mkdir -p "$artifacts"
xvfb_pid=""
openbox_pid=""
game_pid=""

# The game's settings and record go to a fresh folder of the test's own, never the user's.
user_folder=$(mktemp -d)
export XDG_CONFIG_HOME=$user_folder XDG_DATA_HOME=$user_folder

stop_display() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -f "$display_file"
    rm -rf "$user_folder"
}
trap stop_display EXIT

fail() {
    echo "FAILED: $*" >&2
    screenshot "failure-$(date +%s%N)"
    exit 1
}

start_display() {
    display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp 3>"$display_file" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 1 100); do
        [ -s "$display_file" ] && break
        sleep 0.1
    done
    [ -s "$display_file" ] || { echo "Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$(head -n1 "$display_file")"
    if [ "${no_window_manager:-0}" != 1 ]; then
        openbox >/dev/null 2>&1 &
        openbox_pid=$!
        sleep 0.5
    fi
    export QT_QPA_PLATFORM=xcb
    export SDL_AUDIODRIVER=dummy
    export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
}

# start_game EXECUTABLE: runs the game in the background; its output goes to $game_log. The game
# comes up without its start-up picture unless with_splash=1 asks for it.
start_game() {
    game_log=$(mktemp)
    local options=(--no-splash)
    [ "${with_splash:-0}" = 1 ] && options=()
    "$1" "${options[@]}" >"$game_log" 2>&1 &
    game_pid=$!
}

# Waits up to $1 seconds for the start-up picture to be gone.
wait_for_no_splash() {
    for _ in $(seq 1 $(( $1 * 10 ))); do
        xdotool search --onlyvisible --name '^Splash$' >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

# Waits up to $1 seconds for the game to end and sets exit_code to its exit code ("timeout" when
# it is still running). Not for use in a subshell: only this shell can wait for the game.
wait_for_exit() {
    exit_code=timeout
    for _ in $(seq 1 $(( $1 * 10 ))); do
        if ! kill -0 "$game_pid" 2>/dev/null; then
            wait "$game_pid"
            exit_code=$?
            game_pid=""
            return
        fi
        sleep 0.1
    done
}

# The id of the first visible window with exactly this title, waiting up to $2 seconds.
wait_for_window() {
    for _ in $(seq 1 $(( $2 * 10 ))); do
        local id
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Answers, like a player pressing Enter, every message box with this title that shows up within
# $2 seconds; stops early once the window titled $3 (when given) is up.
boxes_dismissed=0
dismiss_boxes() {
    local deadline=$(( $(date +%s) + $2 ))
    while [ "$(date +%s)" -lt "$deadline" ]; do
        if [ -n "${3:-}" ] && xdotool search --onlyvisible --name "^$3\$" >/dev/null 2>&1; then
            return
        fi
        local id
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
        if [ -n "$id" ]; then
            boxes_dismissed=$(( boxes_dismissed + 1 ))
            xdotool windowactivate "$id" 2>/dev/null
            xdotool key --window "$id" Return 2>/dev/null
            xdotool key Return 2>/dev/null
        fi
        sleep 0.3
    done
}

screenshot() {
    import -window root "$artifacts/$1.png" 2>/dev/null
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

# The centre of a cell of a board (0: the player's, 1: the enemy's) at 1024 by 768, in the
# client area of height $client_height (screen pixels). On a scaled screen, screen_factor (the
# QT_SCALE_FACTOR given, 1 unless set) turns the game's pixels into the screen's.
cell_x() {
    awk -v x=$(( $1 == 0 ? 17 + $2 * 40 + 20 : 527 + $2 * 40 + 20 )) -v f="${screen_factor:-1}" \
        'BEGIN { print int(x * f) }'
}
cell_y() {
    awk -v h="$client_height" -v row="$1" -v f="${screen_factor:-1}" \
        'BEGIN { print int(int(0.1075 * h / f) * f + (row * 42 + 21) * f) }'
}

# Alt+F4 on the main window, given again while the game runs on: on a loaded machine a key sent
# while the window manager or the start-up picture is busy can be lost. Leaves $exit_code.
close_with_alt_f4() {
    for _ in 1 2 3; do
        xdotool windowactivate --sync "$main" key alt+F4 2>/dev/null
        wait_for_exit 10
        [ "$exit_code" = timeout ] || return 0
    done
}

# The game's client area is a window of its own inside $main; clicks are given in its
# coordinates. Sets $client and $client_height.
find_client_area() {
    local line
    line=$(xwininfo -children -id "$main" | awk '/"Tidewrack"/ && $0 ~ /1024x/ && $0 !~ /1024x19/ {print; exit}')
    [ -n "$line" ] || line=$(xwininfo -children -id "$main" | awk '/"Tidewrack"/ {l=$0} END {print l}')
    client=$(echo "$line" | awk '{print $1}')
    client_height=$(echo "$line" | sed -n 's/.* [0-9]*x\([0-9]*\)+.*/\1/p')
    [ -n "$client" ] || fail "no client area found"
}

# Fires at the enemy board cell by cell, each shot once the game is idle again (a click while a
# salvo is resolved aims nothing), until the end-of-game picture shows. With sounds playing in real
# time some clicks still fall into a resolution, so up to SWEEPS passes are made (a cell already
# fired at takes no shot). Fails when the game has not ended by then.
fire_until_the_end() {  # [SWEEPS]
    for _ in $(seq 1 "${1:-1}"); do
        for row in $(seq 0 11); do
            for column in $(seq 0 11); do
                # Looked for before the click too: a click just as the end picture comes up
                # would close it unseen.
                xdotool search --onlyvisible --name '^Splash$' >/dev/null 2>&1 && return 0
                xdotool mousemove --window "$client" "$(cell_x 1 "$column")" "$(cell_y "$row")" click 1
                wait_until_idle
                xdotool search --onlyvisible --name '^Splash$' >/dev/null 2>&1 && return 0
            done
        done
    done
    return 1
}

# The same with the keyboard alone: the cursor walks the enemy board row by row and Space fires at
# each cell, every key waiting for the game to be idle (a key that meets a salvo playing out does
# nothing, as a click there does). The first Space only shows the cursor.
fire_by_keys_until_the_end() {
    xdotool key space
    wait_until_idle
    for row in $(seq 0 11); do
        for column in $(seq 0 11); do
            xdotool key space
            wait_until_idle
            xdotool search --onlyvisible --name '^Splash$' >/dev/null 2>&1 && return 0
            if [ "$column" -lt 11 ]; then
                xdotool key Right
            else
                xdotool key Down Left Left Left Left Left Left Left Left Left Left Left
            fi
        done
    done
    return 1
}

# True when the two screenshots differ inside the geometry (WIDTHxHEIGHT+X+Y).
region_differs() {  # before after geometry
    local diff
    diff=$(compare -metric AE -crop "$3" "$1" "$2" null: 2>&1 | awk '{print int($1)}')
    [ "${diff:-0}" -gt 0 ]
}
