#!/usr/bin/env bash
# tools/build_windows.sh [BUILD_FOLDER]: builds the game for 64-bit Windows with Debian's mingw-w64
# into build/windows/ unless given (installing what is missing with apt-get, so run it as root or
# with the packages already there), then its packages for players: the installer
# tidewrack-VERSION-setup.exe and the portable tidewrack-VERSION-win64.zip in BUILD_FOLDER, whose
# paths are the last two lines printed. The program and its data folder are in BUILD_FOLDER/game/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/windows}
jobs=${JOBS:-$(nproc)}
"$root/tools/install_dependencies.sh" >&2

# The data generator and the embed tool run on this machine, so they come from a build for it: the
# Windows data folder is drawn by the same code as the Linux one, with the same bytes. A build of
# this tree that has them already may name its tools/make_data folder in TIDEWRACK_HOST_TOOLS.
host_tools=${TIDEWRACK_HOST_TOOLS:-}
if [ -z "$host_tools" ]; then
    cmake -S "$root" -B "$build/host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
        -DTIDEWRACK_BENCHMARKS=OFF -DTIDEWRACK_WERROR=ON >&2
    cmake --build "$build/host" -j"$jobs" --target tidewrack_make_data tidewrack_embed_resources >&2
    host_tools=$build/host/tools/make_data
fi

cmake -S "$root" -B "$build/game" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTIDEWRACK_WERROR=ON \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw_w64_toolchain.cmake" \
    -DTIDEWRACK_HOST_TOOLS="$host_tools" -DTIDEWRACK_BENCHMARKS=OFF >&2
cmake --build "$build/game" -j"$jobs" >&2

# What a player gets, in one folder: the program (without its symbols), the data folder, a few
# words in Windows' own line endings.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/game/CMakeCache.txt")
stage="$build/stage/Tidewrack"
rm -rf "$build/stage"
mkdir -p "$stage"
x86_64-w64-mingw32-strip -o "$stage/tidewrack.exe" "$build/game/tidewrack.exe"
cp -r "$build/game/Pictures" "$build/game/Sounds" "$build/game/instruct.txt" "$stage/"
sed -e "s/@VERSION@/$version/" -e 's/$/\r/' "$root/packaging/windows/README.txt" >"$stage/README.txt"

# The uninstaller removes the data folder file by file, as it was installed, deepest folders first.
uninstall_list="$build/stage/uninstall_files.nsh"
(
    cd "$stage"
    find Pictures Sounds -type f | sort | sed -e 's|/|\\|g' -e 's|.*|Delete "$INSTDIR\\&"|'
    find Pictures Sounds -mindepth 1 -type d | sort -r | sed -e 's|/|\\|g' -e 's|.*|RMDir "$INSTDIR\\&"|'
) >"$uninstall_list"

setup="$build/tidewrack-$version-setup.exe"
zip_file="$build/tidewrack-$version-win64.zip"
rm -f "$setup" "$zip_file"
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$setup" \
    -DICON="$build/game/packaging/windows/tidewrack.ico" -DUNINSTALL_LIST="$uninstall_list" \
    "$root/packaging/windows/tidewrack.nsi" >&2
(cd "$build/stage" && zip -q -X -r "$zip_file" Tidewrack)
echo "$setup"
echo "$zip_file"
