#!/usr/bin/env bash
# tools/play.sh: builds the game (installing what is missing) and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install_dependencies.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_TESTING=OFF -DTIDEWRACK_BENCHMARKS=OFF
cmake --build "$root/build/release"
exec "$root/build/release/tidewrack" "$@"
