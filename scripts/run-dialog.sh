#!/usr/bin/env bash
# `make run`: opens the settings dialog under Wine with assistant-watch standing in for the assistant, so
# that the notices the dialog sends are printed here.
#   UI=zh / UI=en   Chinese or English system language (default: this machine's locale)
#   SCALE=150       display scale in per cent for this run (default 100); put back to 100 afterwards
#   FONT=song       the fonts Windows gives the dialog, in stand-ins: song for SimSun (Chinese), mssans for
#   FONT=mssans     Microsoft Sans Serif (English); default: Wine's own, Tahoma's sizes
#   SHOT=path       on a virtual display, where to save the picture of the dialog
#   WINE=10         under Wine 10, from the Debian 13 root (default: 8, the system's)
# With $DISPLAY set, the dialog opens there and this returns when it is closed. Without one, the dialog
# opens on a virtual display of our own, is photographed, and is closed again.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}
bin=$PWD/$build/bin
shot=${SHOT:-$build/screenshot.png}

source scripts/wine-session.sh
use_ui || exit 2
[[ ${SCALE:-100} =~ ^[1-9][0-9]*$ ]] || { echo "SCALE is a percentage, such as 150" >&2; exit 2; }
start_wine_session "$build" auto
headless=0
[[ -n $xvfb_pid ]] && headless=1

# A fresh prefix has no hotkeys stored yet; store the defaults, as the assistant's installer does.
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
wine reg query "$run_key" /v keySet >/dev/null 2>&1 ||
  wine reg add "$run_key" /v keySet /t REG_SZ /d MWSBNM /f >/dev/null 2>&1

wine "$bin/assistant-watch.exe" &
session_pids+=($!)
sleep 1  # the section must exist before the dialog's notifier looks for it

if ((!headless)); then
  (cd "$bin" && wine SonvaroSet.exe)
  exit 0
fi

(cd "$bin" && wine SonvaroSet.exe) &
geometry=
for _ in $(seq 100); do
  # WxH+X+Y of the top-level window, relative to the root: its place on the screen.
  geometry=$(xwininfo -root -tree | awk '/"Sonvaro": \(/ {print $(NF-1); exit}')
  [[ -n $geometry ]] && break
  sleep 0.1
done
[[ -n $geometry ]] || { echo "the dialog did not appear" >&2; exit 1; }
sleep 1  # let it paint
import -window root -crop "$geometry" +repage "$shot"
echo "screenshot of the dialog: $shot"
wine taskkill /IM SonvaroSet.exe >/dev/null 2>&1 || true
