#!/usr/bin/env bash
# Opening language files on the real desktop, as a translator does: the file named on the
# command line, Ctrl+O through the real open dialog, a file dragged from another program,
# and a junk file that must be answered in words. Each time, Save File confirmed with Enter
# must write the opened file again, byte for byte, to the path it was opened from: that
# proves the fields took the file's texts and the dialog proposed the opened path.
# Usage: run_open_smoke.sh EDITOR DRAG_SOURCE GOLDEN_FILE [SCREENSHOT_DIR]
set -u
editor=$(realpath "$1")
dragger=$(realpath "$2")
golden=$(realpath "$3")
shots=${4:-${VERBOLT_SMOKE_SHOTS:-}}

. "$(dirname "$0")/xvfb_session.sh"
drag_pid=
trap 'kill $drag_pid 2>/dev/null; cleanup' EXIT

# translated NAME AUTHOR: a language file with two phrases translated and a comment.
translated() {
  sed -e "s/^\(\$language_author\) = \"Your Name\";/\1 = \"$2\";/" \
      -e "s/^\(\$svname *\)= \"Name\";/\1= \"Nom du serveur\";/" \
      -e "s|^\(\$language_forumid.*\)\r\$|\1\r\n/*traduit par $2*/\r|" "$golden" >"$work/$1"
  cp "$work/$1" "$work/$1.expected"
  grep -q "Nom du serveur" "$work/$1" && grep -q "^/\*traduit" "$work/$1" || fail "could not build $1"
}

# save_and_compare NAME: Save File, Enter in the dialog, and the file must be as before.
save_and_compare() {
  : >"$work/$1"
  xdotool mousemove --window "$win" 133 20 click 1     # Save File
  local dialog
  dialog=$(wait_window "Save") || exit 1
  sleep 0.7
  xdotool windowfocus --sync "$dialog" 2>/dev/null
  xdotool key Return
  for _ in $(seq 50); do [ -s "$work/$1" ] && break; sleep 0.1; done
  sleep 0.3
  cmp -s "$work/$1" "$work/$1.expected" || fail "Save File after opening $1 did not write it back unchanged"
}

# 1. The command line.
translated start.php "Marie"
(cd "$work" && exec "$editor" start.php) >"$work/editor.log" 2>&1 &
app_pid=$!
win=$(wait_window "Verbolt Editor v1.0 | For Korvane System 4") || exit 1
sleep 1
shot open-start
save_and_compare start.php

# open_through_dialog PATH: Ctrl+O, the path typed into the real open dialog, Enter.
open_through_dialog() {
  local dialog
  xdotool mousemove --window "$win" 300 200 click 1
  xdotool key ctrl+o
  dialog=$(wait_window "Open Language File") || exit 1
  sleep 0.7
  xdotool windowfocus --sync "$dialog" 2>/dev/null
  xdotool type --delay 20 "$1"
  xdotool key Return
}

# 2. Ctrl+O and the real open dialog.
translated chosen.php "Paul"
open_through_dialog "$work/chosen.php"
sleep 1
shot open-chosen
save_and_compare chosen.php

# 3. A file dropped from another program.
translated dropped.php "Claire"
"$dragger" "$work/dropped.php" "$work/start.php" >"$work/drag.log" 2>&1 &
drag_pid=$!
src=$(wait_window "verbolt drag source") || exit 1
sleep 0.5
xdotool mousemove --window "$src" 60 40
sleep 0.3
xdotool mousedown 1
sleep 0.3
# In steps, as a hand moves, from the source (at 800,600) to the middle of the window.
for step in 1 2 3 4 5 6 7 8 9 10; do xdotool mousemove $((860 - step * 50)) $((640 - step * 40)); sleep 0.15; done
sleep 0.3
xdotool mouseup 1
for _ in $(seq 100); do kill -0 "$drag_pid" 2>/dev/null || break; sleep 0.1; done
grep -q dropped "$work/drag.log" || fail "the window did not accept the dropped file: $(cat "$work/drag.log")"
drag_pid=
sleep 1
shot open-dropped
save_and_compare dropped.php

# 4. Junk: a box that says so; the window stays as it was and keeps working.
head -c 5000 /dev/urandom >"$work/junk.php"
open_through_dialog "$work/junk.php"
box=$(wait_window "^Verbolt Editor v1.0$") || exit 1
sleep 0.5
shot open-junk
xdotool windowfocus --sync "$box" 2>/dev/null
xdotool key Return
sleep 0.5
kill -0 "$app_pid" 2>/dev/null || fail "the program ended after a junk file"
save_and_compare dropped.php

xdotool mousemove --window "$win" 133 52 click 1     # Exit Program
expect_clean_exit "Exit Program" "$work/editor.log"
echo "desktop editor: files open from the command line, the open dialog and a drop; junk is refused in words"
