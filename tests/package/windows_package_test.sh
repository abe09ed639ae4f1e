#!/usr/bin/env bash
# tests/package/windows_package_test.sh BUILD_FOLDER VERSION LINUX_DATA_FOLDER: builds the Windows
# program, its tests and packages with tools/build_windows.sh and checks them under Wine on a
# private Xvfb, in a Wine prefix of its own that is removed afterwards: the names, the .zip's
# content, the program needing no DLL beside the system's; the unit tests cross-built, each run
# as an .exe; then the installer run silently for the current user, the game started from where it
# was installed (showing "No Sound", as Wine here has no audio device, and closing it on OK), and
# the uninstaller run silently, which must leave no file or key of ours but the player's own.
source "$(dirname "$0")/../display/display_session.sh"
display_file=""  # stop_display removes it; no display runs before the package checks pass
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
version=$2
linux_data=$3
scratch=$(mktemp -d)
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINEPREFIX=$scratch/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
finish() {
    [ -d "$WINEPREFIX" ] && "$wineserver" -k 2>/dev/null
    stop_display
    rm -rf "$scratch"
}
trap finish EXIT

packages=$("$root/tools/build_windows.sh" "$build" | tail -n2) || fail "the packages did not build"
setup=$(head -n1 <<<"$packages")
zip_file=$(tail -n1 <<<"$packages")
[ "$(basename "$setup")" = "tidewrack-$version-setup.exe" ] || fail "the installer is $setup"
[ "$(basename "$zip_file")" = "tidewrack-$version-win64.zip" ] || fail "the .zip is $zip_file"

listing=$(unzip -Z1 "$zip_file") || fail "the .zip does not open"
for path in Tidewrack/tidewrack.exe Tidewrack/instruct.txt Tidewrack/README.txt \
    Tidewrack/Pictures/SeaBack.bmp Tidewrack/Pictures/P640/boat1.bmp \
    Tidewrack/Pictures/P2048/Grid1.bmp Tidewrack/Sounds/siren.wav; do
    grep -qxF "$path" <<<"$listing" || fail "the .zip lacks $path"
done
# The data folder is the Linux build's, byte for byte: the same generator drew it.
unzip -q "$zip_file" -d "$scratch/unzipped" || fail "the .zip does not unpack"
for folder in Pictures Sounds; do
    diff -r "$linux_data/$folder" "$scratch/unzipped/Tidewrack/$folder" >/dev/null ||
        fail "the Windows $folder differ from the Linux build's"
done

program=$scratch/unzipped/Tidewrack/tidewrack.exe
system_dlls='^(kernel32|user32|gdi32|shell32|comctl32|comdlg32|advapi32|msvcrt|ws2_32|iphlpapi|bcrypt|winmm|ole32|shcore|uxtheme|dwmapi|imm32)\.dll$'
headers=$(x86_64-w64-mingw32-objdump -p "$program") || fail "the program is no PE file"
while read -r dll; do
    grep -qiE "$system_dlls" <<<"$dll" || fail "the program needs $dll"
done < <(sed -n 's/^\s*DLL Name: //p' <<<"$headers")
grep -q 'Resource Directory' <<<"$headers" || fail "the program carries no resources"

start_display 1024x768x24
timeout 300 "$wine" wineboot -i >/dev/null 2>&1 || fail "the Wine prefix could not be made"
"$wineserver" -w

# The tests that run cross-built, each case a process of its own as on Linux.
(cd "$build/game" && timeout 900 ctest -j2 --timeout 120 --output-on-failure) >"$scratch/ctest.log" 2>&1 ||
    { tail -n 40 "$scratch/ctest.log" >&2; fail "a test failed under Wine"; }
grep -E 'tests passed' "$scratch/ctest.log"

timeout 300 "$wine" "$setup" /S /CURRENTUSER >/dev/null 2>&1 || fail "the installer failed"
"$wineserver" -w
installed=$(find "$WINEPREFIX/drive_c" -iname tidewrack.exe -path '*Tidewrack*' | head -n1)
[ -n "$installed" ] || fail "the installer put no tidewrack.exe anywhere"
folder=$(dirname "$installed")
for path in instruct.txt uninstall.exe Pictures/P1024/Hit.bmp Sounds/win.wav; do
    [ -f "$folder/$path" ] || fail "the installed folder lacks $path"
done
[ -n "$(find "$WINEPREFIX/drive_c" -name Tidewrack.lnk)" ] || fail "no Start menu entry"
"$wine" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tidewrack' \
    >/dev/null 2>&1 || fail "the game is not in the list of installed programs"

# The installed game starts, tells that there is no sound, and goes on once told OK.
(cd "$folder" && exec "$wine" ./tidewrack.exe --no-splash --seed 7) >"$scratch/game.log" 2>&1 &
game_pid=$!
box=""
for _ in $(seq 1 300); do
    box=$(xdotool search --onlyvisible --name '^No Sound$' 2>/dev/null | head -n1)
    [ -n "$box" ] && break
    sleep 0.1
done
[ -n "$box" ] || fail "no \"No Sound\" box"
screenshot windows-no-sound
xdotool windowactivate --sync "$box" key Return
for _ in $(seq 1 100); do
    xdotool search --onlyvisible --name '^No Sound$' >/dev/null 2>&1 || break
    sleep 0.1
done
xdotool search --onlyvisible --name '^No Sound$' >/dev/null 2>&1 && fail "the box stays"
main=""
for _ in $(seq 1 100); do
    main=$(xdotool search --onlyvisible --name '^Tidewrack$' 2>/dev/null | head -n1)
    [ -n "$main" ] && break
    sleep 0.1
done
[ -n "$main" ] || fail "no main window"
sleep 1
screenshot windows-main-window
xdotool windowactivate --sync "$main" key alt+F4
wait_for_exit 30
[ "$exit_code" = 0 ] || fail "the game ended with $exit_code"

# The player's own file stays through a silent uninstall.
appdata=$(find "$WINEPREFIX/drive_c/users" -maxdepth 3 -type d -path '*/AppData/Roaming' | head -n1)
mkdir -p "$appdata/Tidewrack"
printf '[Sound]\r\nOn=0\r\n' >"$appdata/Tidewrack/settings.ini"
timeout 300 "$wine" "$folder/uninstall.exe" /S >/dev/null 2>&1 || fail "the uninstaller failed"
"$wineserver" -w
[ -f "$appdata/Tidewrack/settings.ini" ] || fail "the uninstaller took the player's settings"
rm -r "$appdata/Tidewrack"
left=$(find "$WINEPREFIX/drive_c" -ipath '*tidewrack*')
[ -z "$left" ] || fail "left behind: $left"
"$wine" reg query 'HKCU\Software\Tidewrack' >/dev/null 2>&1 && fail "a registry key is left"
"$wine" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tidewrack' \
    >/dev/null 2>&1 && fail "the uninstall entry is left"
echo "The Windows packages install, start, and uninstall cleanly."
