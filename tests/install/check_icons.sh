#!/usr/bin/env bash
# The icons of the hicolor theme are the program's own icon, crisp at every size: the 32 one
# is its pixels (the background around the rounded square transparent), 64, 128 and 256 are
# those pixels as 2, 4 and 8 pixel squares, 48 is the 16 one in 3 pixel squares, and no size
# holds a colour the icon does not (no smoothing anywhere).
# Usage: check_icons.sh ICON_THEME_DIR APP_ID ICON_BMP
set -u
theme=$1 id=$2 bmp=$3
command -v convert >/dev/null || { echo "ImageMagick is missing (scripts/install-deps installs it)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
icon() { echo "$theme/${1}x$1/apps/$id.png"; }
failed=0
same() {  # same WHAT A B: the two pictures have the same pixels, alpha included
  local diff
  diff=$(compare -metric AE "$2" "$3" null: 2>&1)
  [ "$diff" = "0" ] || { echo "icons: $1 ($diff pixels differ)"; failed=1; }
}
for size in 16 32 48 64 128 256; do
  [ -f "$(icon $size)" ] || { echo "icons: no ${size}x$size icon"; exit 1; }
  got=$(identify -format '%wx%h' "$(icon $size)")
  [ "$got" = "${size}x$size" ] || { echo "icons: the ${size}x$size icon is $got"; failed=1; }
done

# The program's icon with its background colour (the corner pixel's) made transparent.
convert "$bmp" -alpha set -fill none -draw 'color 0,0 replace' "PNG32:$work/own.png"
same "the 32 icon is not the program's icon" "PNG32:$(icon 32)" "$work/own.png"
for factor in 2 4 8; do
  convert "$(icon 32)" -scale "$((factor * 100))%" "PNG32:$work/up.png"
  same "the $((32 * factor)) icon is not the 32 one enlarged $factor times" "PNG32:$(icon $((32 * factor)))" "$work/up.png"
done
convert "$(icon 16)" -scale 300% "PNG32:$work/up.png"
same "the 48 icon is not the 16 one enlarged 3 times" "PNG32:$(icon 48)" "$work/up.png"

# Every colour of every size is one of the icon's own (fully opaque) or fully transparent.
convert "$bmp" -unique-colors txt:- | grep -o '#[0-9A-F]\{6\}' | sort -u >"$work/palette"
for size in 16 32 48 64 128 256; do
  convert "$(icon $size)" -unique-colors txt:- | sed 1d | while read -r _ _ hex _; do
    case $hex in
      \#??????00) ;;
      \#??????FF) grep -qx "${hex:0:7}" "$work/palette" || echo "$hex" ;;
      *) echo "$hex" ;;
    esac
  done >"$work/foreign"
  [ -s "$work/foreign" ] && { echo "icons: the ${size}x$size icon has colours the program's icon has not: $(tr '\n' ' ' <"$work/foreign")"; failed=1; }
done
# The small one keeps the "V" (white) and the gold line.
for hex in '#FFFFFF' '#FFC73C'; do
  convert "$(icon 16)" -unique-colors txt:- | grep -qi "${hex}FF" || { echo "icons: the 16x16 icon lost $hex"; failed=1; }
done
[ "$failed" -eq 0 ] || exit 1
echo "icons: six sizes, all from the program's icon, no smoothing"
