#!/usr/bin/env bash
# tools/run_fuzzers.sh: builds every libFuzzer target (tests/fuzz/*_fuzz.cpp) with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer in its own build folder, and runs each for a
# bounded time on a copy of its seed corpus (tests/fuzz/corpus/<target>/).
# Usage: tools/run_fuzzers.sh [seconds per target, default 60] [build folder]
set -euo pipefail

seconds="${1:-60}"
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${2:-${source_dir}/build-fuzz}"
jobs="${FUZZ_BUILD_JOBS:-2}"

generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
cmake -S "${source_dir}" -B "${build_dir}" "${generator[@]}" \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTIDEWRACK_FUZZ=ON -DTIDEWRACK_SANITIZE=ON -DTIDEWRACK_BENCHMARKS=OFF >/dev/null

targets=()
for source in "${source_dir}"/tests/fuzz/*_fuzz.cpp; do
    [ -e "${source}" ] || continue
    targets+=("$(basename "${source}" .cpp)")
done
if [ "${#targets[@]}" -eq 0 ]; then
    echo "run_fuzzers: no fuzz targets found" >&2
    exit 1
fi
cmake --build "${build_dir}" -j"${jobs}" --target "${targets[@]}"

status=0
for target in "${targets[@]}"; do
    # What the fuzzer finds goes to the build folder; the committed seeds are only read.
    work="${build_dir}/fuzz-corpus/${target}"
    mkdir -p "${work}" "${build_dir}/fuzz-artifacts/${target}"
    seeds="${source_dir}/tests/fuzz/corpus/${target}"
    [ -d "${seeds}" ] || seeds=""
    echo "run_fuzzers: ${target} for ${seconds} s"
    if ! "${build_dir}/tests/fuzz/${target}" "${work}" ${seeds:+"${seeds}"} \
        -max_total_time="${seconds}" -timeout=10 -rss_limit_mb=2560 -max_len=65536 \
        -print_final_stats=1 -artifact_prefix="${build_dir}/fuzz-artifacts/${target}/" \
        2>"${build_dir}/fuzz-artifacts/${target}.log"; then
        echo "run_fuzzers: ${target} FAILED, see ${build_dir}/fuzz-artifacts/${target}.log" >&2
        tail -n 40 "${build_dir}/fuzz-artifacts/${target}.log" >&2
        status=1
    else
        grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' \
            "${build_dir}/fuzz-artifacts/${target}.log" || true
    fi
done
exit "${status}"
