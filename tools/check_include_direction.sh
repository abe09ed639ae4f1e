#!/usr/bin/env bash
# Fails when a game folder includes a folder above it or beside it, so that includes keep flowing
# one way (the picture is in ARCHITECTURE.md):
#
#   shell
#   battle
#   setup
#   opponent   windows   sound
#   fleet      |         |
#   imaging    resources |
#   platform --+---------+
#
# Within platform/, the portable core includes none of its hosts (qt/, sdl/, test/).
# Usage: tools/check_include_direction.sh [repository root, default: this script's]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

# What each folder may include besides itself.
declare -A may_use=(
    [platform]=""
    [resources]="platform"
    [imaging]="platform"
    [fleet]="imaging platform"
    [opponent]="fleet imaging platform"
    [windows]="resources platform"
    [sound]="platform"
    [setup]="opponent windows sound fleet imaging resources platform"
    [battle]="setup opponent windows sound fleet imaging resources platform"
    [shell]="battle setup opponent windows sound fleet imaging resources platform"
)

faults=0
report() {
    echo "$1:$2: $3 includes $4, which lies above it or beside it"
    faults=1
}

for folder in "${!may_use[@]}"; do
    [ -d "$folder" ] || continue
    while IFS=: read -r file line text; do
        target=${text#*\"}
        target=${target%%/*}
        [ "$target" = "$folder" ] && continue
        # Only the game's own folders are judged; anything else is not a layer.
        [ -n "${may_use[$target]+known}" ] || continue
        case " ${may_use[$folder]} " in
            *" $target "*) ;;
            *) report "$file" "$line" "$folder/" "$target/" ;;
        esac
    done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[a-z_]+/' \
                 --include='*.h' --include='*.cpp' "$folder" || true)
done

# The portable core of the platform layer knows no host.
while IFS=: read -r file line text; do
    report "$file" "$line" "the platform core" "a host (${text#*\"platform/})"
done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"platform/(qt|sdl|test)/' \
             platform/*.h platform/*.cpp platform/drawing/*.h platform/drawing/*.cpp \
             2>/dev/null || true)

if [ "$faults" -ne 0 ]; then
    echo "Includes must flow down the layers; move what both sides need to the lower folder."
    exit 1
fi
echo "Includes flow one way."
