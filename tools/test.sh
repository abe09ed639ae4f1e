#!/usr/bin/env bash
# tools/test.sh: builds everything (installing what is missing) and runs the whole suite twice:
# once as built for players, once built with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer together with the fuzzers. Unit tests, scenario tests on the test
# host and real-display tests (each starting its own Xvfb) all run under CTest. Before the builds,
# two checks of the sources: includes flow down the layers, and every file keeps to .clang-format.
# Exits non-zero on any failure; the last lines are CTest's summary.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install_dependencies.sh" || exit 1

status=0
"$root/tools/check_include_direction.sh" "$root" || status=1
"$root/tools/check_format.sh" "$root" || status=1

jobs=$(nproc)
# Compiles are cached by paths relative to this checkout, so a fresh clone elsewhere (as CI makes)
# reuses what an earlier clone on this machine compiled; debug info may then name that clone.
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=true
export LSAN_OPTIONS="suppressions=$root/tests/sanitizer_suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

plain="$root/build/test"
sanitized="$root/build/sanitize"

cmake -S "$root" -B "$plain" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTIDEWRACK_WERROR=ON \
    || exit 1
cmake --build "$plain" -j"$jobs" || exit 1

CC=clang CXX=clang++ cmake -S "$root" -B "$sanitized" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTIDEWRACK_WERROR=ON -DTIDEWRACK_SANITIZE=ON -DTIDEWRACK_FUZZ=ON \
    -DTIDEWRACK_BENCHMARKS=OFF || exit 1
cmake --build "$sanitized" -j"$jobs" || exit 1

(cd "$plain" && ctest --output-on-failure -j"$jobs" --timeout 600) || status=1
(cd "$sanitized" && ctest --output-on-failure -j"$jobs" --timeout 900) || status=1
exit $status
