#!/usr/bin/env bash
# tests/display/scaled_display_test.sh CASE EXECUTABLE: the game on a scaled screen, as on a
# laptop or a 4K monitor at 150% or 200%. Cases: scale_1, scale_1_5, scale_2. Each lays the fleet
# out, starts the battle and fires one salvo by keys, and keeps screenshots to look at beside the
# one at scale 1; scale_2 also checks that what the game draws itself (status text, ships on the
# board and in the docks, marks) carries detail inside each 2 by 2 block of screen pixels, as Qt's
# own buttons do, rather than being a picture drawn at one pixel and doubled.
source "$(dirname "$0")/display_session.sh"
case_name=$1
game=$2
detail="$(dirname "$0")/block_detail.py"

case "$case_name" in
    scale_1) screen=1024x768x24 factor=1 ;;
    scale_1_5) screen=1536x1152x24 factor=1.5 ;;
    scale_2) screen=2048x1536x24 factor=2 ;;
    *) echo "unknown case $case_name" >&2; exit 2 ;;
esac

start_display "$screen"
export QT_SCALE_FACTOR=$factor
start_game "$game"
dismiss_boxes Error 15 Tidewrack
main=$(wait_for_window Tidewrack 20) || fail "no main window appeared"
wait_until_idle
# The logical screen is 1024 by 768 at every factor: the game lays itself out for it.
client=$(xwininfo -children -id "$main" | awk '/"Tidewrack"/ {id=$1} END {print id}')
info=$(xwininfo -id "$client")
left=$(echo "$info" | awk '/Absolute upper-left X/ { print $4 }')
top=$(echo "$info" | awk '/Absolute upper-left Y/ { print $4 }')
width=$(echo "$info" | awk '/Width:/ { print $2 }')
expected=$(awk -v f="$factor" 'BEGIN { print int(1024 * f + 0.5) }')
[ "$width" = "$expected" ] || fail "the client area is $width screen pixels wide, not $expected"
# The window manager draws the caption in screen pixels: the window must still reach the screen's
# bottom, with no strip of the desktop left bare below it.
frame=$(xwininfo -id "$main")
bottom=$(( $(echo "$frame" | awk '/Absolute upper-left Y/ { print $4 }') \
    + $(echo "$frame" | awk '/Height:/ { print $2 }') ))
screen_height=$(echo "$screen" | cut -dx -f2)
[ "$bottom" -ge "$screen_height" ] || fail "the window ends at $bottom, short of the screen's $screen_height"

name="scaled-${case_name#scale_}"
screenshot "$name-docked"
# Place Random and START by their mnemonics, then one salvo of five shots by keys.
xdotool windowactivate --sync "$main" key alt+p
wait_until_idle
xdotool key alt+s
wait_until_idle
xdotool key space
wait_until_idle
for _ in 1 2 3 4 5; do
    xdotool key space
    wait_until_idle
    xdotool key Right
    wait_until_idle
done
# The salvo plays out with its sounds in real time (a few seconds); then every mark shows.
sleep 6
wait_until_idle
screenshot "$name"

if [ "$case_name" = scale_2 ]; then
    # Regions in logical pixels of the client area (the status text, the player's board with
    # its fleet and the computer's marks, the enemy board's marks, the docks before placing), on
    # the screen at twice that; the corners are even, so the blocks are those a doubled picture
    # would fill.
    check() {  # picture x y w h what
        local geometry
        geometry="$(( 2 * $4 ))x$(( 2 * $5 ))+$(( left + 2 * $2 ))+$(( top + 2 * $3 ))"
        local result share
        result=$(python3 "$detail" "$artifacts/$1.png" "$geometry") || fail "cannot measure $6"
        share=${result%% *}
        echo "$6: $result"
        awk -v s="$share" 'BEGIN { exit !(s >= 0.25) }' || fail "$6 is a doubled picture ($result)"
    }
    check "$name" 330 16 380 28 "status text"
    check "$name" 12 66 480 504 "player's board"
    check "$name" 527 66 480 504 "enemy board"
    check "$name-docked" 20 590 980 120 "docked ships"
    check "$name" 96 24 76 26 "Qt's Place Random button"
fi

close_with_alt_f4
[ "$exit_code" = "0" ] || fail "the game ended with '$exit_code', not 0 ($(cat "$game_log"))"
