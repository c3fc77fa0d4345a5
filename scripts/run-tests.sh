#!/usr/bin/env bash
# Runs every test through ctest on a display of our own, in the build tree's Wine prefixes: the unit tests
# under Wine 8, the end-to-end tests under Wine 8 and Wine 10.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}

scripts/check-format.sh

source scripts/wine-session.sh
start_wine_session "$build" own 8 10
ctest --test-dir "$build" --output-on-failure --timeout 600 "$@"
