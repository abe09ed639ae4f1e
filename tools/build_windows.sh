#!/usr/bin/env bash
# tools/build_windows.sh [BUILD_FOLDER]: builds the game for 64-bit Windows with Debian's mingw-w64
# into build/windows/ unless given (installing what is missing with apt-get, so run it as root or
# with the packages already there). The program and its data folder end up in BUILD_FOLDER/game/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/windows}
jobs=${JOBS:-$(nproc)}
"$root/tools/install_dependencies.sh" >&2

# The data generator and the embed tool run on this machine, so they come from a build for it: the
# Windows data folder is drawn by the same code as the Linux one, with the same bytes.
cmake -S "$root" -B "$build/host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DTIDEWRACK_BENCHMARKS=OFF -DTIDEWRACK_WERROR=ON >&2
cmake --build "$build/host" -j"$jobs" --target tidewrack_make_data tidewrack_embed_resources >&2

cmake -S "$root" -B "$build/game" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTIDEWRACK_WERROR=ON \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw_w64_toolchain.cmake" \
    -DTIDEWRACK_HOST_TOOLS="$build/host/tools/make_data" -DTIDEWRACK_BENCHMARKS=OFF >&2
cmake --build "$build/game" -j"$jobs" >&2
