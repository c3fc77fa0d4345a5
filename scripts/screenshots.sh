#!/usr/bin/env bash
# Redraws the README's pictures of the dialog, Chinese and English, the way `make run` takes them.
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p docs
for ui in zh en; do
  DISPLAY= UI=$ui SHOT=docs/screenshot-$ui.png scripts/run-dialog.sh
done
