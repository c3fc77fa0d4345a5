#!/usr/bin/env bash
# Makes the Wine prefix given as $1 once: no Mono or Gecko prompts, and unmanaged windows, so that closing a
# dialog does not stall for two seconds on a display without a window manager. With a display scale in per
# cent as $2, sets it for the programs started from then on, and the fonts of $3 (below). Safe to run
# concurrently.
set -euo pipefail
prefix=$1
scale=${2:-}
font=${3:-}
case $font in song | mssans | "") ;; *) echo "FONT is song or mssans, not $font" >&2; exit 2 ;; esac
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [[ ! -f $prefix/.sonvaro-ready ]]; then
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  # Let explorer and shell32 write their first keys now rather than in the middle of a test.
  wine cmd /c exit >/dev/null 2>&1
  wineserver -w
  touch "$prefix/.sonvaro-ready"
fi
# An English Windows shows the about box's Chinese through a Chinese font linked to its own interface font;
# here Tahoma draws texts and menus, Tahoma Bold the captions. A program that crashes just ends, with its
# exception code, rather than wait in Wine's debugger, which holds its standard handles open.
if [[ ! -f $prefix/.sonvaro-settings ]]; then
  for font in Tahoma 'Tahoma Bold'; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$font" \
      /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
  done
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ /d false \
    /f >/dev/null 2>&1
  wineserver -w
  touch "$prefix/.sonvaro-settings"
fi
exec 9>&-  # the wineserver started below would otherwise hold the lock for as long as it runs

# Each program reads the scale as it starts: the system's, and the one the fonts are made for.
if [[ -n $scale ]]; then
  dpi=$((scale * 96 / 100))
  for key in 'HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  done
fi

# Windows gives a dialog of "MS Shell Dlg" the classic shell font of its language, which Wine has not:
#   song    a Song face, AR PL UMing CN, as Wine's replacement for SimSun, the Chinese one;
#   mssans  "MS Shell Dlg" mapped to Wine's own MS Sans Serif, for Microsoft Sans Serif, the English one;
#   none    Wine's own fonts, Tahoma's sizes in both languages.
# Wine writes its own "MS Shell Dlg" for the locale and scale as the first program of a new one starts, so
# the English stand-in is written each run by a program started in it; without Codepages the next program
# writes Wine's own again.
fonts='HKCU\Software\Wine\Fonts'
was=$(cat "$prefix/.sonvaro-font" 2>/dev/null || true)
if [[ $font == mssans ]]; then
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v 'MS Shell Dlg' \
    /t REG_SZ /d 'MS Sans Serif' /f >/dev/null 2>&1
elif [[ $was == mssans ]]; then
  wine reg delete "$fonts" /v Codepages /f >/dev/null 2>&1
fi
if [[ $font == song && $was != song ]]; then
  wine reg add "$fonts\\Replacements" /v SimSun /t REG_SZ /d 'AR PL UMing CN' /f >/dev/null 2>&1
elif [[ $font != song && $was == song ]]; then
  wine reg delete "$fonts\\Replacements" /v SimSun /f >/dev/null 2>&1
fi
echo "$font" >"$prefix/.sonvaro-font"
