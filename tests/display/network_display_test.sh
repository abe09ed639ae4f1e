#!/usr/bin/env bash
# tests/display/network_display_test.sh: two copies of the game, each on an Xvfb of its own, play
# a whole network game over the loopback address, one started with --host PORT and the other with
# --join 127.0.0.1:PORT, both laid out by Alt+P, started by Alt+S and fired by clicks. Both must
# come to their end, and their records must agree: one won and one lost, or both tied.
# Usage: network_display_test.sh GAME
set -uo pipefail

game=$1
artifacts=${TIDEWRACK_ARTIFACTS:-$PWD/test-artifacts}
mkdir -p "$artifacts"
work=$(mktemp -d)
pids=()
cleanup() {
    [ "${#pids[@]}" -gt 0 ] && kill "${pids[@]}" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# A port of the dynamic range that differs from run to run, so two runs at once do not meet.
port=$(( 50000 + $$ % 10000 ))

fail() {
    echo "FAILED: $*" >&2
    for side in host join; do
        DISPLAY=$(cat "$work/$side.display") import -window root "$artifacts/network-failure-$side.png" 2>/dev/null
        echo "--- $side's output:" >&2
        cat "$work/$side.log" >&2
    done
    exit 1
}

# start_side NAME OPTIONS...: an Xvfb with openbox and the game on it, with folders of its own and
# the sound off (a salvo then plays out at once).
start_side() {
    local side=$1
    shift
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/$side.fd" 2>/dev/null &
    pids+=($!)
    for _ in $(seq 1 100); do
        [ -s "$work/$side.fd" ] && break
        sleep 0.1
    done
    [ -s "$work/$side.fd" ] || fail "Xvfb did not start for $side"
    echo ":$(head -n1 "$work/$side.fd")" >"$work/$side.display"
    DISPLAY=$(cat "$work/$side.display") openbox >/dev/null 2>&1 &
    pids+=($!)
    mkdir -p "$work/$side/config/tidewrack" "$work/$side/data"
    printf '[Options]\nSound=Off\n' >"$work/$side/config/tidewrack/settings.ini"
    DISPLAY=$(cat "$work/$side.display") XDG_CONFIG_HOME="$work/$side/config" \
        XDG_DATA_HOME="$work/$side/data" "$game" --no-splash "$@" >"$work/$side.log" 2>&1 &
    pids+=($!)
    echo $! >"$work/$side.pid"
}

on() {  # on SIDE COMMAND...: runs the command on the side's display
    local side=$1
    shift
    DISPLAY=$(cat "$work/$side.display") "$@"
}

main_window() {
    on "$1" xdotool search --onlyvisible --name '^Tidewrack$' 2>/dev/null | head -n1
}

# Waits until the side's game has used no CPU for a tenth of a second.
idle() {
    local pid last=-1 now
    pid=$(cat "$work/$1.pid")
    for _ in $(seq 1 300); do
        now=$(awk '{ print $14 + $15 }' "/proc/$pid/stat" 2>/dev/null) || return
        [ "$now" = "$last" ] && return
        last=$now
        sleep 0.1
    done
}

# A side's game has ended once its record holds the network game (it is written before the end
# picture shows, and a click meant for the board may close that picture at once).
ended() { grep -qs '^\[Network\]' "$work/$1/data/tidewrack/record.ini"; }

key() {  # key SIDE KEYS...
    local side=$1
    shift
    on "$side" xdotool key --delay 30 "$@" 2>/dev/null
    idle "$side"
}

start_side host --host "$port"
sleep 1
start_side join --join "127.0.0.1:$port"
for side in host join; do
    for _ in $(seq 1 100); do
        [ -n "$(main_window "$side")" ] && break
        sleep 0.1
    done
    [ -n "$(main_window "$side")" ] || fail "no main window on the $side's display"
done
sleep 1
for side in host join; do
    on "$side" xdotool windowactivate --sync "$(main_window "$side")" 2>/dev/null
    key "$side" alt+p
    key "$side" alt+s
    on "$side" import -window root "$artifacts/network-$side-1-started.png"
    # The game's client area is a window of its own inside the main window: clicks go there.
    line=$(on "$side" xwininfo -children -id "$(main_window "$side")" |
        awk '/"Tidewrack"/ && $0 ~ /1024x/ && $0 !~ /1024x19/ {print; exit}')
    echo "$line" | awk '{print $1}' >"$work/$side.client"
    echo "$line" | sed -n 's/.* [0-9]*x\([0-9]*\)+.*/\1/p' >"$work/$side.height"
    [ -s "$work/$side.client" ] || fail "no client area on the $side's display"
done

# Clicks on cells of the enemy board, in the order given as ROW,COLUMN pairs.
fire() {  # fire SIDE CELLS...
    local side=$1 client height top arguments=()
    shift
    client=$(cat "$work/$side.client")
    height=$(cat "$work/$side.height")
    top=$(awk -v h="$height" 'BEGIN { print int(0.1075 * h) }')
    for cell in "$@"; do
        arguments+=(mousemove --window "$client" $((527 + ${cell#*,} * 40 + 20))
            $((top + ${cell%,*} * 42 + 21)) click 1)
    done
    on "$side" xdotool "${arguments[@]}" 2>/dev/null
    idle "$side"
}

# Both sides click the enemy board's cells five at a time, in turn. A click on a cell already
# fired at, or while its side waits for the friend, aims nothing, so the board is walked again
# until both games have ended.
cells=()
for row in $(seq 0 11); do
    for column in $(seq 0 11); do cells+=("$row,$column"); done
done
for _ in 1 2 3 4 5 6; do
    for at in $(seq 0 5 143); do
        for side in host join; do
            ended "$side" || fire "$side" "${cells[@]:$at:5}"
        done
        ended host && ended join && break 2
    done
done
ended host && ended join || fail "the network game did not end on both sides"
sleep 1
for side in host join; do
    on "$side" import -window root "$artifacts/network-$side-2-over.png"
done

record() {  # record SIDE KEY: the count under [Network]
    awk -F= -v key="$2" '/^\[/ { section = $0 } section == "[Network]" && $1 == key { print $2 }' \
        "$work/$1/data/tidewrack/record.ini" 2>/dev/null
}
summary() { echo "won=$(record "$1" Won) lost=$(record "$1" Lost) tied=$(record "$1" Tied)"; }
host_says=$(summary host)
join_says=$(summary join)
case "$host_says|$join_says" in
    "won=1 lost=0 tied=0|won=0 lost=1 tied=0" | "won=0 lost=1 tied=0|won=1 lost=0 tied=0" | \
        "won=0 lost=0 tied=1|won=0 lost=0 tied=1") ;;
    *) fail "the ends do not agree: host $host_says, join $join_says" ;;
esac
[ "$(record host Cheating)" = 0 ] && [ "$(record join Cheating)" = 0 ] ||
    fail "an honest game was taken for cheating"
echo "host: $host_says; join: $join_says"
