#!/usr/bin/env bash
# Rewrites every C++ file of the repository with clang-format and the repository's .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.h' '*.cpp' | xargs -0 clang-format -i
