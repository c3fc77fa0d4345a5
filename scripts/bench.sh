#!/usr/bin/env bash
# `make bench`: runs the benchmark under Wine on a display of our own and leaves build/bench.json.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}
source scripts/xvfb.sh
export WINEPREFIX=$PWD/$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k 2>/dev/null || true
  stop_xvfb
}
trap cleanup EXIT
start_xvfb
scripts/wine-prefix.sh "$WINEPREFIX"
LC_ALL=en_US.UTF-8 wine "$build/bin/bench.exe" "$build/bench.json" "${STARTS:-15}" "${NOTICES:-40}"
echo "figures written to $build/bench.json"
