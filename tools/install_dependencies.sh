#!/usr/bin/env bash
# tools/install_dependencies.sh: installs, with apt-get, whatever the build, the game and the test
# suite need and this Debian machine lacks. Runs as root; does nothing when all is there.
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev libgl-dev libsdl2-dev fonts-liberation libxcb1-dev
    googletest libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-format git
    xvfb openbox xdotool x11-utils imagemagick sox valgrind bc gnuplot-nox python3
    dpkg-dev file lintian desktop-file-utils appstream groff-base man-db
    weston xwayland qt6-wayland
    g++-mingw-w64-x86-64-posix nsis zip wine wine64
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    echo "These packages are missing and installing them needs root: ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}"
