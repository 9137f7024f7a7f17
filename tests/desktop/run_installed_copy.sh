#!/usr/bin/env bash
# An installed copy of the program starts its window on the real desktop, far from the
# build tree: the window maps, and the Create button shows its face and the focus ring it
# has at start. With --deb, the copy is the package's, unpacked into a scratch root.
# Usage: run_installed_copy.sh EDITOR | run_installed_copy.sh --deb PACKAGE
set -u
. "$(dirname "$0")/xvfb_session.sh"
command -v convert >/dev/null || fail "ImageMagick is missing (scripts/install-deps installs it)"
if [ "$1" = --deb ]; then
  dpkg -x "$2" "$work/root" || fail "dpkg -x could not unpack $2"
  editor="$work/root/usr/bin/verbolt-editor"
else
  editor=$(realpath "$1")
fi
[ -x "$editor" ] || fail "no program at $editor"

(cd / && exec "$editor") >"$work/editor.log" 2>&1 &
app_pid=$!
win=$(wait_window "Verbolt Editor v1.0 | For Korvane System 4") || { cat "$work/editor.log"; exit 1; }
xdotool mousemove 1000 700
sleep 1
state=$(xwininfo -id "$win" | sed -n 's/^ *Map State: //p')
[ "$state" = IsViewable ] || fail "the window is not mapped ($state)"
import -window "$win" "$work/window.png"
pixel() { convert "$work/window.png" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:; }
face=$(pixel 45 14)
[ "$face" = "244,244,240" ] || fail "the Create button's face shows $face instead of 244,244,240"
ring=$(pixel 10 20)
[ "$ring" = "214,223,253" ] || fail "the Create button's focus ring shows $ring instead of 214,223,253"
kill -0 "$app_pid" 2>/dev/null || { cat "$work/editor.log"; fail "the program ended by itself"; }
echo "installed copy: $editor shows its window"
