#!/usr/bin/env bash
# The real desktop, driven as a person would: a framework window under Xvfb gets a click and
# typed text through xdotool, Ctrl+S opens the real save dialog, a name is typed there, and
# the file must then hold exactly the typed line followed by CR LF.
# Usage: run_desktop_smoke.sh PROBE [SCREENSHOT_DIR]
set -u
probe=$(realpath "$1")
shots=${2:-${VERBOLT_SMOKE_SHOTS:-}}

. "$(dirname "$0")/xvfb_session.sh"

(cd "$work" && exec "$probe") >"$work/probe.log" 2>&1 &
app_pid=$!

win=$(wait_window "Verbolt desktop probe") || exit 1
sleep 0.5
xdotool mousemove --window "$win" 60 30 click 1
sleep 0.3
xdotool type --delay 40 "hello world"
sleep 0.5
shot desktop-smoke-typed
xdotool key ctrl+s

dialog=$(wait_window "Probe save") || exit 1
sleep 1
xdotool windowfocus --sync "$dialog" 2>/dev/null
xdotool mousemove --window "$dialog" 5 5
shot desktop-smoke-dialog
xdotool key ctrl+a
xdotool type --delay 20 "$work/out"
xdotool key Return

expect_clean_exit "Saving" "$work/probe.log"

[ -f "$work/out.txt" ] || { ls -la "$work"; fail "no out.txt was written (the default extension)"; }
expected=$(printf 'hello world\r\n' | od -An -tx1)
actual=$(od -An -tx1 <"$work/out.txt")
[ "$expected" = "$actual" ] || fail "out.txt holds $actual instead of $expected"
echo "desktop smoke: typed text saved through the real dialog"
