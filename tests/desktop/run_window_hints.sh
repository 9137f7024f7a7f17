#!/usr/bin/env bash
# What a desktop's window list reads off the editor's window: the application's title as
# the icon name (the taskbar's text), fixed size hints (minimum = maximum, so no resize
# handle) and the window class the desktop entry names.
# Usage: run_window_hints.sh EDITOR
set -u
editor=$(realpath "$1")
. "$(dirname "$0")/xvfb_session.sh"
command -v xprop >/dev/null || fail "xprop is missing (scripts/install-deps installs x11-utils)"

"$editor" >"$work/editor.log" 2>&1 &
app_pid=$!
win=$(wait_window "Verbolt Editor v1.0 | For Korvane System 4") || exit 1
sleep 0.5
failed=0
check() {  # check WHAT GOT WANTED
  [ "$2" = "$3" ] || { echo "window: $1 is \"$2\" instead of \"$3\""; failed=1; }
}
check "the icon name" "$(xprop -id "$win" _NET_WM_ICON_NAME | sed 's/^[^=]*= //')" '"Verbolt Editor v1.0"'
check "the class" "$(xprop -id "$win" WM_CLASS | sed 's/^[^=]*= //')" '"verbolt-editor", "verbolt-editor"'
hints=$(xprop -id "$win" WM_NORMAL_HINTS)
check "the minimum size" "$(printf '%s\n' "$hints" | sed -n 's/.*minimum size: //p')" "689 by 427"
check "the maximum size" "$(printf '%s\n' "$hints" | sed -n 's/.*maximum size: //p')" "689 by 427"
check "the window's size" "$(xwininfo -id "$win" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')" "689x427"
[ "$failed" -eq 0 ] || fail "window-manager hints as above"
echo "window: icon name, fixed size hints and class as a desktop reads them"
