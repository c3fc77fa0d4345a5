#!/usr/bin/env bash
# Draws the program's art and writes it into res/: the icons (a microphone on a rounded tile) and the
# two 400 x 570 backgrounds, Chinese and English, whose panels sit behind the dialog's control groups.
# Needs ImageMagick and the WenQuanYi font; the results are committed, so the build does not run this.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
im=/usr/bin/convert
cjk=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc

# ---- Icons: drawn once at 512 pixels and scaled down for every size ----
"$im" -size 512x512 xc:none \
  \( -size 512x512 gradient:'#2bb3a3-#1f5fbf' \) \
  \( -size 512x512 xc:none -fill white -draw 'roundrectangle 16,16 495,495 110,110' \) \
  -delete 0 -compose DstIn -composite \
  -fill none -stroke white -strokewidth 34 -draw 'arc 136,150 376,380 0,180' \
  -stroke none -fill white -draw 'roundrectangle 196,86 316,318 60,60' \
  -draw 'rectangle 239,378 273,430' -draw 'roundrectangle 176,420 336,452 16,16' \
  "$work/tile.png"
args=()
for size in 256 256 128 96 80 72 64 48 32 24 16; do args+=("$size:$work/tile.png"); done
scripts/pack-ico.py res/sonvaro.ico "${args[@]}"
scripts/pack-ico.py res/kestrune.ico 256:"$work/tile.png" 48:"$work/tile.png" 32:"$work/tile.png" 16:"$work/tile.png"

# ---- Backgrounds ----
# Panels in client pixels, around the controls as the dialog lays them out:
# working mode and languages, hotkeys (keyboard and mouse inside), help.
card() {  # x0 y0 x1 y1: a white card with a soft shadow and a tinted heading band with an accent
  local x0=$1 y0=$2 x1=$3 y1=$4
  echo "fill #0000001a roundrectangle $((x0 + 2)),$((y0 + 3)) $((x1 + 2)),$((y1 + 3)) 9,9"
  echo "fill white stroke #c5d3e6 roundrectangle $x0,$y0 $x1,$y1 9,9 stroke none"
  echo "fill #e4eefa roundrectangle $((x0 + 1)),$((y0 + 1)) $((x1 - 1)),$((y0 + 26)) 8,8"
  echo "rectangle $((x0 + 1)),$((y0 + 16)) $((x1 - 1)),$((y0 + 26))"
  echo "fill #2a86c4 rectangle $((x0 + 1)),$((y0 + 7)) $((x0 + 4)),$((y0 + 20))"
}
subpanel() {  # x0 y0 x1 y1: a faint inset area for the keys of one device
  echo "fill #f4f8fd stroke #dbe5f2 roundrectangle $1,$2 $3,$4 7,7 stroke none"
}

{
  card 8 0 390 160
  card 8 166 390 468
  card 8 476 390 560
  subpanel 20 214 376 280
  subpanel 20 333 376 399
} >"$work/panels.mvg"

background() {  # font, brand line, output
  "$im" -size 400x570 gradient:'#f2f6fb-#dde8f5' -draw "$(cat "$work/panels.mvg")" \
    -font "$1" -pointsize 13 -fill '#1f5fbf' -gravity NorthEast -annotate +18+6 "$2" \
    -type TrueColor BMP3:"$3"
}

background "$cjk" 'Sonvaro 语音助手' res/background-chinese.bmp
background DejaVu-Sans 'Sonvaro Voice Assistant' res/background-english.bmp
echo "art written to res/"
