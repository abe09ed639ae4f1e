#!/usr/bin/env bash
# tests/package/package_test.sh BUILD_FOLDER VERSION: builds the Debian package with
# tools/make_package.sh and checks it: its name, fields and content, the desktop entry, the
# AppStream metainfo, the manual page and lintian; then unpacks it into a throw-away root and
# starts the game from there by the desktop entry's Exec line under Xvfb.
source "$(dirname "$0")/../display/display_session.sh"
display_file=""  # stop_display removes it; no display runs before the package checks pass
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
version=$2
scratch=$(mktemp -d)
trap 'stop_display; rm -rf "$scratch"' EXIT

deb=$("$root/tools/make_package.sh" "$build" | tail -n1) || fail "the package did not build"
[ "$(basename "$deb")" = "tidewrack_${version}_$(dpkg --print-architecture).deb" ] ||
    fail "the package is named $(basename "$deb")"

# Fields: the version of the build, and runtime libraries derived from the program.
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "Version: $(dpkg-deb -f "$deb" Version)"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "Section: $(dpkg-deb -f "$deb" Section)"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libsdl2-2.0-0 libc6; do
    [[ "$depends" == *"$library "* ]] || fail "Depends lacks $library: $depends"
done

# Content: every file in its place, and no file anywhere else.
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }')
expected=(
    ./usr/games/tidewrack
    ./usr/share/games/tidewrack/instruct.txt
    ./usr/share/games/tidewrack/Pictures/SeaBack.bmp
    ./usr/share/games/tidewrack/Pictures/P640/boat1.bmp
    ./usr/share/games/tidewrack/Sounds/siren.wav
    ./usr/share/applications/io.github.tidewrack.Tidewrack.desktop
    ./usr/share/metainfo/io.github.tidewrack.Tidewrack.metainfo.xml
    ./usr/share/man/man6/tidewrack.6.gz
    ./usr/share/doc/tidewrack/copyright
    ./usr/share/doc/tidewrack/changelog.gz
)
for size in 16 32 48 64 128 256; do
    expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/tidewrack.png")
done
for path in "${expected[@]}"; do
    grep -qxF "$path" <<<"$files" || fail "the package lacks $path"
done
places='games/tidewrack|share/games/tidewrack/|share/applications/|share/metainfo/'
places+='|share/icons/hicolor/|share/man/man6/|share/doc/tidewrack/'
stray=$(grep -vE "^\./usr/($places)" <<<"$files")
[ -z "$stray" ] || fail "files outside the game's places: $stray"

unpacked=$scratch/root
dpkg -x "$deb" "$unpacked" || fail "dpkg -x failed"
for size in 16 32 48 64 128 256; do
    icon=$unpacked/usr/share/icons/hicolor/${size}x${size}/apps/tidewrack.png
    [ "$(identify -format %wx%h "$icon")" = "${size}x${size}" ] || fail "the $size px icon is not $size px"
done

desktop_entry=$unpacked/usr/share/applications/io.github.tidewrack.Tidewrack.desktop
desktop-file-validate "$desktop_entry" || fail "desktop-file-validate"
grep -qE '^Categories=Game;.*(BoardGame|StrategyGame);' "$desktop_entry" ||
    fail "the desktop entry is not in the Game category"
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml ||
    fail "appstreamcli validate"
man_page=$unpacked/usr/share/man/man6/tidewrack.6.gz
warnings=$(zcat "$man_page" | groff -ww -z -man 2>&1;
           LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$man_page" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"

lintian --fail-on error "$deb" >"$scratch/lintian" 2>&1
lintian_status=$?
grep -v 'running with root privileges' "$scratch/lintian"
[ "$lintian_status" = 0 ] || fail "lintian reports errors"

# The game from the throw-away root, started by the desktop entry's Exec line from elsewhere,
# finds its data there: no picture error comes up. Its settings go to a home of its own.
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/config XDG_DATA_HOME=$scratch/home/data
exec_line=$(sed -n 's/^Exec=//p' "$desktop_entry")
program=$unpacked${exec_line%% *}
[ -x "$program" ] || fail "the Exec line '$exec_line' names no program of the package"
cd /
start_display 1024x768x24
start_game "$program"
dismiss_boxes Error 15 Tidewrack
main=$(wait_for_window Tidewrack 20) || fail "no main window appeared ($(cat "$game_log"))"
[ "$boxes_dismissed" = 0 ] || fail "the unpacked game did not find its pictures"
screenshot package-game
close_with_alt_f4
[ "$exit_code" = 0 ] || fail "the game ended with '$exit_code', not 0 ($(cat "$game_log"))"

# Moved away from its data, the game takes the folder TIDEWRACK_DATA names.
mkdir -p "$scratch/elsewhere" && cp "$program" "$scratch/elsewhere/"
TIDEWRACK_DATA=$unpacked/usr/share/games/tidewrack start_game "$scratch/elsewhere/tidewrack"
boxes_dismissed=0
dismiss_boxes Error 15 Tidewrack
main=$(wait_for_window Tidewrack 20) || fail "no main window appeared ($(cat "$game_log"))"
[ "$boxes_dismissed" = 0 ] || fail "the game did not take its data from TIDEWRACK_DATA"
close_with_alt_f4
[ "$exit_code" = 0 ] || fail "the game ended with '$exit_code', not 0 ($(cat "$game_log"))"
