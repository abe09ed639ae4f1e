#!/usr/bin/env bash
# tools/make_package.sh [BUILD_FOLDER]: builds the Debian package tidewrack_<version>_<arch>.deb
# in its own build folder (build/package unless given) and prints the package's path as the last
# line. The program goes to /usr/games, its data to /usr/share/games/tidewrack.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/package}
"$root/tools/install_dependencies.sh" >&2

# The compiler and linker flags every Debian package is built with (hardening among them).
# CMake reads CXXFLAGS and LDFLAGS from the environment but not CPPFLAGS.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
export CXXFLAGS="$CPPFLAGS $CXXFLAGS"

# Warnings are the test builds' business; a player's build with a newer compiler should not stop
# on a new one.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DTIDEWRACK_BENCHMARKS=OFF -DTIDEWRACK_WERROR=OFF -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_INSTALL_BINDIR=games -DTIDEWRACK_INSTALL_DATADIR=share/games/tidewrack >&2
cmake --build "$build" >&2
rm -f "$build"/tidewrack_*.deb
(cd "$build" && cpack -G DEB >&2)
ls "$build"/tidewrack_*.deb
