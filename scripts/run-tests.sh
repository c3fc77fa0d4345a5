#!/usr/bin/env bash
# Runs every test through ctest on a display of our own, in the build tree's Wine prefix.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}

scripts/check-format.sh

source scripts/xvfb.sh
export WINEPREFIX=$PWD/$build/wineprefix
cleanup() {
  WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null || true
  stop_xvfb
}
trap cleanup EXIT
start_xvfb
scripts/wine-prefix.sh "$WINEPREFIX"
ctest --test-dir "$build" --output-on-failure --timeout 600 "$@"
