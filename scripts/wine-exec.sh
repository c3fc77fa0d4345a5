#!/usr/bin/env bash
# ctest's emulator: runs a Windows program under Wine $WINE (8 by default, or 10) in the build tree's own
# prefix for it ($1, or $1-wine10), at the display scale $SCALE (in per cent) when it is set, with the
# stand-ins of $FONT for Windows' dialog fonts (song, mssans; none: Wine's own).
set -euo pipefail
source "$(dirname "$0")/wine-runtime.sh"
use_wine "${WINE:-8}"
prefix=$(wine_prefix "$1" "${WINE:-8}")
shift
"$(dirname "$0")/wine-prefix.sh" "$prefix" "${SCALE:-}" "${FONT:-}"
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
