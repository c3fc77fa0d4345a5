#!/usr/bin/env bash
# Redraws the README's pictures of the dialog, Chinese and English, at 100 % and 150 % display scale, and in
# Chinese with the stand-in for SimSun at 100 %, the way `make run` takes them.
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p docs
for ui in zh en; do
  DISPLAY= UI=$ui SHOT=docs/screenshot-$ui.png scripts/run-dialog.sh
  DISPLAY= UI=$ui SCALE=150 SHOT=docs/screenshot-$ui-150.png scripts/run-dialog.sh
done
DISPLAY= UI=zh FONT=song SHOT=docs/screenshot-zh-song.png scripts/run-dialog.sh
