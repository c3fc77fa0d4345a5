#!/usr/bin/env bash
# ctest's emulator: runs a Windows program under Wine in the build tree's own prefix ($1), at the display
# scale $SCALE (in per cent) when it is set.
set -euo pipefail
prefix=$1
shift
"$(dirname "$0")/wine-prefix.sh" "$prefix" "${SCALE:-}"
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
