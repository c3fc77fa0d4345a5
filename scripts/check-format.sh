#!/usr/bin/env bash
# Fails when a C++ source of ours is not laid out as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h')
((${#files[@]} == 0)) && exit 0
clang-format --dry-run --Werror "${files[@]}"
