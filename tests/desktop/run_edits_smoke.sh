#!/usr/bin/env bash
# The edit and the memo on the real desktop: paste what another program put on the
# clipboard, type after it, select a memo line with the mouse and copy it back out, scroll.
# Usage: run_edits_smoke.sh GALLERY [SCREENSHOT_DIR]
set -u
gallery=$(realpath "$1")
shots=${2:-${VERBOLT_SMOKE_SHOTS:-}}

. "$(dirname "$0")/xvfb_session.sh"
command -v xclip >/dev/null || fail "xclip is missing (scripts/install-deps installs it)"

export VERBOLT_GALLERY_OUT="$work/edit.txt"
"$gallery" edits >"$work/gallery.log" 2>&1 &
app_pid=$!
win=$(wait_window "Verbolt gallery: edits") || exit 1
sleep 0.5

# Another program owns the clipboard.
printf 'from xclip' | xclip -selection clipboard -i
xdotool mousemove --window "$win" 200 20 click 1
sleep 0.2
xdotool key ctrl+a ctrl+v
xdotool type --delay 30 " & typed"
sleep 0.5
[ "$(cat "$work/edit.txt" 2>/dev/null)" = "from xclip & typed" ] ||
  fail "the edit holds \"$(cat "$work/edit.txt" 2>/dev/null)\" instead of \"from xclip & typed\""

# Adding lines left the memo at its end: go to the top, then drag across the first line,
# past its end, and copy it.
xdotool mousemove --window "$win" 200 150 click 1
xdotool key ctrl+Home
sleep 0.2
xdotool mousemove --window "$win" 13 44 mousedown 1
xdotool mousemove --window "$win" 120 45
xdotool mousemove --window "$win" 300 46 mouseup 1
sleep 0.2
shot edits-selected
xdotool key ctrl+c
sleep 0.5
copied=$(timeout 5 xclip -selection clipboard -o 2>/dev/null)
[ "$copied" = "Verbolt Editor v1.0" ] || fail "the clipboard holds \"$copied\" instead of the memo's first line"

# Scroll: the wheel, then the vertical bar's down arrow.
xdotool mousemove --window "$win" 200 150 click 5 click 5
sleep 0.3
xdotool mousemove --window "$win" 381 224 click 1 click 1 click 1
sleep 0.5
shot edits-scrolled
kill -0 "$app_pid" 2>/dev/null || { cat "$work/gallery.log"; fail "the program ended by itself"; }
echo "desktop edits: clipboard in and out, typing and scrolling work on the real desktop"
