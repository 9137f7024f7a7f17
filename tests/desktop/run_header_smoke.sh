#!/usr/bin/env bash
# The editor's header on the real desktop: hover over a button, press one, tab into the
# phrase fields, and read the colours the screen shows.
# Usage: run_header_smoke.sh GALLERY [SCREENSHOT_DIR]
set -u
gallery=$(realpath "$1")
shots=${2:-${VERBOLT_SMOKE_SHOTS:-}}

. "$(dirname "$0")/xvfb_session.sh"
command -v convert >/dev/null || fail "ImageMagick is missing (scripts/install-deps installs it)"

"$gallery" header >"$work/gallery.log" 2>&1 &
app_pid=$!
win=$(wait_window "Verbolt gallery: header") || exit 1
sleep 0.5

pixel() {  # pixel X Y: the screen's colour there as "r,g,b" (the window sits at 0,0)
  import -window root "$work/now.png"
  convert "$work/now.png" -format '%[fx:int(255*p{'"$1,$2"'}.r)],%[fx:int(255*p{'"$1,$2"'}.g)],%[fx:int(255*p{'"$1,$2"'}.b)]' info:
}

# Hover: two rings in the hue opposite to the hot-track colour; the upper-left one is
# (128,161,255) at the button's third pixel column.
xdotool mousemove --window "$win" 45 20
sleep 0.5
shot header-hot
hot=$(pixel 10 20)
[ "$hot" = "128,161,255" ] || fail "the hovered button's hot ring shows $hot instead of 128,161,255"
idle=$(pixel 10 52)
[ "$idle" = "244,244,240" ] || fail "a button the pointer is not over shows $idle inside its rim instead of its face colour"

# Press and hold on Save File: a flat face darkened by 10 steps.
xdotool mousemove --window "$win" 133 20 mousedown 1
sleep 0.4
shot header-pressed
pressed=$(pixel 104 20)
[ "$pressed" = "235,235,228" ] || fail "the pressed button's face shows $pressed instead of 235,235,228"
xdotool mouseup 1
xdotool mousemove --window "$win" 300 140
sleep 0.3

# Save File took the focus with the press; three Tabs reach the first phrase field.
xdotool key Tab Tab Tab
sleep 0.4
shot header-tabbed
focused=$(pixel 294 95)
[ "$focused" = "128,0,0" ] || fail "the focused phrase field shows $focused instead of maroon"
other=$(pixel 294 119)
[ "$other" = "44,64,94" ] || fail "the other phrase field shows $other instead of 44,64,94"
kill -0 "$app_pid" 2>/dev/null || { cat "$work/gallery.log"; fail "the program ended by itself"; }
echo "desktop header: hot ring, pressed face and focus colours as described"
