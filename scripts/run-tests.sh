#!/usr/bin/env bash
# Runs every test through ctest on a display of our own, in the build tree's Wine prefix.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}

scripts/check-format.sh

source scripts/wine-session.sh
start_wine_session "$build" own
ctest --test-dir "$build" --output-on-failure --timeout 600 "$@"
