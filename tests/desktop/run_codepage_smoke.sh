#!/usr/bin/env bash
# --codepage on an English desktop: Cyrillic typed into a phrase field reaches the saved
# file as code page 1251 bytes; a Greek letter, which that page cannot hold, is refused.
# Usage: run_codepage_smoke.sh EDITOR [SCREENSHOT_DIR]
set -u
editor=$(realpath "$1")
shots=${2:-${VERBOLT_SMOKE_SHOTS:-}}

. "$(dirname "$0")/xvfb_session.sh"

(cd "$work" && LANG=C.UTF-8 LC_ALL=C.UTF-8 exec "$editor" --codepage 1251) >"$work/editor.log" 2>&1 &
app_pid=$!
win=$(wait_window "Verbolt Editor v1.0 | For Korvane System 4") || exit 1
sleep 1
xdotool mousemove --window "$win" 310 138 click 1     # the end of the Author field
sleep 0.3
# Each letter outside the keyboard's map is bound to a spare key just before it is pressed,
# and the program reads the server's map when it hears of the change: a letter pressed
# before that read has arrived comes out as whatever the key was bound to by then. Slowly
# enough for a busy machine.
xdotool type --delay 150 "Жена Ω"
sleep 0.5
shot codepage-typed
xdotool mousemove --window "$win" 45 20 click 1      # Create
sleep 0.7
xdotool mousemove --window "$win" 133 20 click 1     # Save File
dialog=$(wait_window "Save") || exit 1
sleep 0.7
xdotool windowfocus --sync "$dialog" 2>/dev/null
xdotool key ctrl+a
xdotool type --delay 20 "$work/ru"
xdotool key Return
for _ in $(seq 50); do [ -s "$work/ru.php" ] && break; sleep 0.1; done
sleep 0.3
[ -s "$work/ru.php" ] || fail "Save File wrote nothing"
expected=$(printf '$language_author = "Your Name\xc6\xe5\xed\xe0 ";\r')
line=$(grep -a '^\$language_author' "$work/ru.php")
[ "$line" = "$expected" ] || fail "the Author line holds $(printf '%s' "$line" | od -An -c) instead of the code page 1251 bytes"
echo "desktop editor: --codepage 1251 writes typed Cyrillic as its bytes and refuses what the page cannot hold"
