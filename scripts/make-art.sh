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
# Each at 400 x 570 and, for display scales above 100 %, at twice that size, drawn anew rather than
# stretched: every shape at twice the coordinates, the brand line at twice the point size. Panels in
# client pixels at 100 %, around the controls as the dialog lays them out: working mode and languages,
# hotkeys (keyboard and mouse inside), help.
scale=1
fill_box() {  # x0 y0 x1 y1 at 100 %: a filled shape covers these pixels, each scale x scale at the scale
  echo "$((scale * $1)),$((scale * $2)) $((scale * $3 + scale - 1)),$((scale * $4 + scale - 1))"
}
stroke_box() {  # x0 y0 x1 y1 at 100 %: a stroke as wide as the scale runs through the middle of its pixels
  awk -v s="$scale" -v a="$1" -v b="$2" -v c="$3" -v d="$4" \
    'BEGIN { o = (s - 1) / 2; printf "%g,%g %g,%g", s * a + o, s * b + o, s * c + o, s * d + o }'
}
card() {  # x0 y0 x1 y1: a white card with a soft shadow and a tinted heading band with an accent
  local x0=$1 y0=$2 x1=$3 y1=$4 r=$((9 * scale)) band=$((8 * scale))
  echo "fill #0000001a roundrectangle $(fill_box $((x0 + 2)) $((y0 + 3)) $((x1 + 2)) $((y1 + 3))) $r,$r"
  echo "fill white stroke #c5d3e6 stroke-width $scale roundrectangle $(stroke_box "$@") $r,$r stroke none"
  echo "fill #e4eefa roundrectangle $(fill_box $((x0 + 1)) $((y0 + 1)) $((x1 - 1)) $((y0 + 26))) $band,$band"
  echo "rectangle $(fill_box $((x0 + 1)) $((y0 + 16)) $((x1 - 1)) $((y0 + 26)))"
  echo "fill #2a86c4 rectangle $(fill_box $((x0 + 1)) $((y0 + 7)) $((x0 + 4)) $((y0 + 20)))"
}
subpanel() {  # x0 y0 x1 y1: a faint inset area for the keys of one device
  local r=$((7 * scale))
  echo "fill #f4f8fd stroke #dbe5f2 stroke-width $scale roundrectangle $(stroke_box "$@") $r,$r stroke none"
}
panels() {
  card 8 0 390 160
  card 8 166 390 468
  card 8 476 390 560
  subpanel 20 214 376 280
  subpanel 20 333 376 399
}

# At 100 % 24 bits a pixel, as the program has always had them. At twice the size the flat colours with
# their smooth edges keep within 3 levels of a channel in 256 colours, which RLE8 packs to about 35 KB.
background() {  # font, brand line, output
  local drawn=$3
  ((scale == 1)) || drawn=$work/drawn.bmp
  "$im" -size $((400 * scale))x$((570 * scale)) gradient:'#f2f6fb-#dde8f5' -draw "$(panels)" \
    -font "$1" -pointsize $((13 * scale)) -fill '#1f5fbf' -gravity NorthEast \
    -annotate +$((18 * scale))+$((6 * scale)) "$2" -type TrueColor BMP3:"$drawn"
  ((scale == 1)) || "$im" "$drawn" +dither -colors 256 -type Palette -compress RLE BMP3:"$3"
}

for scale in 1 2; do
  suffix=$([[ $scale == 1 ]] || echo "-$((100 * scale))")
  background "$cjk" 'Sonvaro 语音助手' "res/background-chinese$suffix.bmp"
  background DejaVu-Sans 'Sonvaro Voice Assistant' "res/background-english$suffix.bmp"
done
echo "art written to res/"
