#!/usr/bin/env bash
# Fails when a game folder includes a folder above it or beside it, so that includes keep flowing
# one way (the picture is in ARCHITECTURE.md):
#
#   shell
#   battle
#   setup                opponent  network
#   fleet     windows    sound     |         |
#   imaging   resources  |         |         |
#   platform --+---------+         rules ----+
#
# The build keeps most of this already (each library sees only the headers of the libraries it
# links); this check also names what a compiler would let through: an include that climbs out of
# its folder with "..", a game header included with angle brackets, an include through a macro,
# the platform core including a host, and one host including another.
# Usage: tools/check_include_direction.sh [repository root, default: this script's]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

# What each folder may include besides itself.
declare -A may_use=(
    [rules]=""
    [platform]=""
    [resources]="platform"
    [imaging]="platform"
    [fleet]="rules imaging platform"
    [opponent]="rules"
    [network]="rules"
    [windows]="resources platform"
    [sound]="platform"
    [setup]="fleet windows sound rules imaging resources platform"
    [battle]="setup opponent network fleet windows sound rules imaging resources platform"
    [shell]="battle setup opponent network fleet windows sound rules imaging resources platform"
)

faults=0
report() {
    echo "$1:$2: $3"
    faults=1
}

include_lines() {
    grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]' --include='*.h' --include='*.cpp' "$@" \
        2>/dev/null || true
}

for folder in "${!may_use[@]}"; do
    [ -d "$folder" ] || continue
    while IFS=: read -r file line text; do
        directive=${text#*include}
        directive=${directive#"${directive%%[![:space:]]*}"}
        case "$directive" in
            \"*) target=${directive#\"} ;;
            \<*) target=${directive#<} ;;
            *)
                report "$file" "$line" "an include through a macro, which no check can follow"
                continue
                ;;
        esac
        target=${target%%[\">]*}
        if [[ "$target" == *..* ]]; then
            report "$file" "$line" "an include that climbs out of its folder (\"$target\")"
            continue
        fi
        top=${target%%/*}
        [ "$top" = "$target" ] && continue  # a header beside the file, or the standard library's
        [ "$top" = "$folder" ] && continue
        # Only the game's own folders are judged; anything else is not a layer.
        [ -n "${may_use[$top]+known}" ] || continue
        if [[ "$directive" == \<* ]]; then
            report "$file" "$line" "$folder/ includes the game's $top/ with angle brackets"
        fi
        case " ${may_use[$folder]} " in
            *" $top "*) ;;
            *) report "$file" "$line" "$folder/ includes $top/, which lies above it or beside it" ;;
        esac
    done < <(include_lines "$folder")
done

# The portable core of the platform layer knows no host, and no host knows another; the test host
# draws its text with the Qt host's text service (platform/qt/qt_text.h), which needs no Qt header.
for part in core qt sdl test win32; do
    if [ "$part" = core ]; then
        files=(platform/*.h platform/*.cpp platform/drawing)
    else
        [ -d "platform/$part" ] || continue
        files=("platform/$part")
    fi
    while IFS=: read -r file line text; do
        host=${text#*platform/}
        host=${host%%/*}
        [ "$host" = "$part" ] && continue
        [ "$part" = test ] && [[ "$text" == *'"platform/qt/qt_text.h"'* ]] && continue
        report "$file" "$line" "platform/$part includes the host platform/$host"
    done < <(include_lines "${files[@]}" | grep -E 'include[[:space:]]*["<]platform/(qt|sdl|test|win32)/')
done

if [ "$faults" -ne 0 ]; then
    echo "Includes must flow down the layers; move what both sides need to the lower folder."
    exit 1
fi
echo "Includes flow one way."
