#!/usr/bin/env bash
# `make bench`: runs the benchmark under Wine on a display of our own and leaves build/bench.json.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}
source scripts/wine-session.sh
start_wine_session "$build" own
LC_ALL=en_US.UTF-8 wine "$build/bin/bench.exe" "$build/bench.json" "${STARTS:-30}" "${NOTICES:-40}"
echo "figures written to $build/bench.json"
