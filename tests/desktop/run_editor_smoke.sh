#!/usr/bin/env bash
# The real program on the real desktop, used as a person would: Create, look at the File
# page, Save File through the real dialog with a name typed without extension, compare the
# saved bytes with the language file typed from the layout, then Exit Program.
# Usage: run_editor_smoke.sh EDITOR GOLDEN_FILE [SCREENSHOT_DIR]
set -u
editor=$(realpath "$1")
golden=$(realpath "$2")
shots=${3:-${VERBOLT_SMOKE_SHOTS:-}}

. "$(dirname "$0")/xvfb_session.sh"

(cd "$work" && exec "$editor") >"$work/editor.log" 2>&1 &
app_pid=$!
win=$(wait_window "Verbolt Editor v1.0 | For Korvane System 4") || exit 1
sleep 1
shot editor-start

xdotool mousemove --window "$win" 45 20 click 1      # Create
sleep 1
shot editor-created
xdotool mousemove --window "$win" 133 20 click 1     # Save File
dialog=$(wait_window "Save") || exit 1
sleep 1
xdotool windowfocus --sync "$dialog" 2>/dev/null
xdotool mousemove --window "$dialog" 5 5
xdotool key ctrl+a
xdotool type --delay 20 "$work/saved"
xdotool key Return
for _ in $(seq 50); do [ -f "$work/saved.php" ] && break; sleep 0.1; done
[ -f "$work/saved.php" ] || fail "Save File wrote no saved.php (the default extension)"
sleep 0.5
cmp -s "$work/saved.php" "$golden" || fail "the saved file differs from the language file typed from the layout"

xdotool mousemove --window "$win" 133 52 click 1     # Exit Program
expect_clean_exit "Exit Program" "$work/editor.log"
echo "desktop editor: Create, Save File and Exit Program work on the real desktop"
