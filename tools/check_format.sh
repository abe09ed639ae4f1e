#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from what clang-format makes of it with the
# repository's .clang-format, and names the files. tools/format.sh rewrites them.
# Usage: tools/check_format.sh [repository root, default: this script's]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

mapfile -t files < <(git ls-files '*.h' '*.cpp' 2>/dev/null ||
                     find . -path ./build -prune -o \( -name '*.h' -o -name '*.cpp' \) -print)
unformatted=()
for file in "${files[@]}"; do
    if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
        unformatted+=("$file")
    fi
done
if [ ${#unformatted[@]} -ne 0 ]; then
    printf '%s\n' "${unformatted[@]}"
    echo "These files differ from .clang-format; tools/format.sh rewrites them."
    exit 1
fi
echo "Every C++ file keeps to .clang-format."
