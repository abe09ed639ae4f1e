#!/bin/sh
# tools/opponent_strength/measure_sittings.sh: twenty sittings of twenty games, each sitting one
# fleet in every game (fleets/fixed_N.txt), the computer's memory carried through the sitting; prints
# the mean shots of games 6 to 20 over all sittings.
# Usage: measure_sittings.sh BUILD_DIR [LEVEL, default expert]
set -eu
tool="$1/tools/opponent_strength/opponent_strength"
level="${2:-expert}"
here=$(dirname "$0")
for n in $(seq 1 20); do
    "$tool" --level "$level" --fleets "$here/fleets/fixed_$n.txt" --series --each 20 "$n"
done | awk '
    /^game / { k = (k % 20) + 1; if (k > 5) { sum += $3; count++ } }
    END { printf "games 6 to 20 of 20 sittings: shots mean %.1f over %d games\n", sum / count, count }'
