#!/usr/bin/env bash
# The real desktop, driven as a person would: a framework window under Xvfb gets a click and
# typed text through xdotool, Ctrl+S opens the real save dialog, a name is typed there, and
# the file must then hold exactly the typed line followed by CR LF.
# Usage: run_desktop_smoke.sh PROBE [SCREENSHOT_DIR]
set -u
probe=$(realpath "$1")
shots=${2:-${VERBOLT_SMOKE_SHOTS:-}}

for tool in Xvfb xdotool xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "desktop smoke: $tool is missing (scripts/install-deps installs it)"; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=
probe_pid=
cleanup() {
  [ -n "$probe_pid" ] && kill "$probe_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A display number nobody uses.
display=
for n in $(seq 91 140); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "desktop smoke: no free X display number"; exit 1; }
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.2; done
xdpyinfo >/dev/null 2>&1 || { echo "desktop smoke: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }

fail() {
  echo "desktop smoke: $*"
  [ -n "$shots" ] && import -window root "$shots/desktop-smoke-failure.png" 2>/dev/null
  exit 1
}

(cd "$work" && exec "$probe") >"$work/probe.log" 2>&1 &
probe_pid=$!

win=$(timeout 20 xdotool search --sync --onlyvisible --name "Verbolt desktop probe" | head -1)
[ -n "$win" ] || fail "the window did not appear"
sleep 0.5
xdotool mousemove --window "$win" 60 30 click 1
sleep 0.3
xdotool type --delay 40 "hello world"
sleep 0.5
[ -n "$shots" ] && import -window root "$shots/desktop-smoke-typed.png"
xdotool key ctrl+s

dialog=$(timeout 20 xdotool search --sync --onlyvisible --name "Probe save" | head -1)
[ -n "$dialog" ] || fail "the save dialog did not appear"
sleep 1
xdotool windowfocus --sync "$dialog" 2>/dev/null
xdotool mousemove --window "$dialog" 5 5
[ -n "$shots" ] && import -window root "$shots/desktop-smoke-dialog.png"
xdotool key ctrl+a
xdotool type --delay 20 "$work/out"
xdotool key Return

for _ in $(seq 100); do kill -0 "$probe_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$probe_pid" 2>/dev/null && fail "the program did not end after saving"
wait "$probe_pid"
status=$?
probe_pid=
[ "$status" -eq 0 ] || { cat "$work/probe.log"; fail "the program exited with $status"; }

[ -f "$work/out.txt" ] || { ls -la "$work"; fail "no out.txt was written (the default extension)"; }
expected=$(printf 'hello world\r\n' | od -An -tx1)
actual=$(od -An -tx1 <"$work/out.txt")
[ "$expected" = "$actual" ] || fail "out.txt holds $actual instead of $expected"
echo "desktop smoke: typed text saved through the real dialog"
