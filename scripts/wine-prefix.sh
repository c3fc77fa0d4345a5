#!/usr/bin/env bash
# Makes the Wine prefix given as $1 once: no Mono or Gecko prompts, and unmanaged windows, so that closing a
# dialog does not stall for two seconds on a display without a window manager. Safe to run concurrently.
set -euo pipefail
prefix=$1
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[[ -f $prefix/.sonvaro-ready ]] && exit 0

export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
# Let explorer and shell32 write their first keys now rather than in the middle of a test.
wine cmd /c exit >/dev/null 2>&1
wineserver -w
touch "$prefix/.sonvaro-ready"
