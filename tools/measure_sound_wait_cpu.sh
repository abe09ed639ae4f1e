#!/bin/sh
# Measures the CPU the game uses while a refused sound waits out its 10-second deadline on the
# real SDL audio device (dummy driver unless SDL_AUDIODRIVER says otherwise). Fails above 5%.
# Usage: tools/measure_sound_wait_cpu.sh [build-dir]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
cmake --build "$build" --target sound_wait_probe -j2 >/dev/null
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
output=$(cd "$scratch" && SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} \
    "$build/tools/sound_wait_probe/sound_wait_probe") || status=$?
echo "$output"
if [ "$status" -ne 0 ]; then
    echo "the probe failed (status $status): no device, or the wait did not end at its deadline" >&2
    exit 1
fi
percent=$(echo "$output" | sed -n 's/.*, \([0-9.]*\)% of one core.*/\1/p')
if awk -v p="$percent" 'BEGIN { exit !(p != "" && p < 5) }'; then
    echo "under 5% of one core: ok"
else
    echo "over 5% of one core, or no figure" >&2
    exit 1
fi
