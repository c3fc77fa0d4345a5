#!/usr/bin/env bash
# `make bench`: runs the benchmark under Wine on a display of our own and leaves build/bench.json. In English
# unless UI=zh; with FONT=song or mssans, the stand-ins for the fonts Windows gives the dialog (run-dialog.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}
source scripts/wine-session.sh
UI=${UI:-en} use_ui || exit 2
start_wine_session "$build" own
wine "$build/bin/bench.exe" "$build/bench.json" "${STARTS:-30}" "${NOTICES:-40}"
echo "figures written to $build/bench.json"
