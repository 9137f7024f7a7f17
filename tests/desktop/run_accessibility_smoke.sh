#!/usr/bin/env bash
# The program as a screen reader meets it: a private D-Bus session with the desktop's
# accessibility bus (Debian's at-spi2-core), the editor on Xvfb with Qt's accessibility
# bridge on, and a Python AT-SPI client (atspi_client.py) that walks the window's tree,
# reads the focused field, presses Create and Exit Program through their actions.
# Usage: run_accessibility_smoke.sh EDITOR [SCREENSHOT_DIR]
set -u
editor=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
shots=${2:-${VERBOLT_SMOKE_SHOTS:-}}
launcher=/usr/libexec/at-spi-bus-launcher  # started by the session bus, from at-spi2-core
python=/usr/bin/python3  # Debian's python, for which python3-pyatspi is installed

# Everything runs inside a session bus of its own, which ends with the test.
if [ -z "${VERBOLT_A11Y_SESSION:-}" ]; then
  command -v dbus-run-session >/dev/null ||
    { echo "desktop test: dbus-run-session is missing (scripts/install-deps installs dbus)"; exit 1; }
  [ -x "$launcher" ] || { echo "desktop test: $launcher is missing (scripts/install-deps installs at-spi2-core)"; exit 1; }
  "$python" -c "import pyatspi" 2>/dev/null ||
    { echo "desktop test: pyatspi is missing (scripts/install-deps installs python3-pyatspi)"; exit 1; }
  VERBOLT_A11Y_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi

. "$here/xvfb_session.sh"

# The accessibility bus and its registry start on this session bus when first asked for,
# as for any assistive tool, and end with it.
for _ in $(seq 100); do
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
  sleep 0.1
done
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 ||
  fail "the accessibility bus did not start"

(cd "$work" && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec "$editor") >"$work/editor.log" 2>&1 &
app_pid=$!
wait_window "Verbolt Editor v1.0 | For Korvane System 4" >/dev/null || exit 1
sleep 1
shot a11y-start

timeout 90 "$python" "$here/atspi_client.py" || { shot a11y-failure; cat "$work/editor.log"; fail "the AT-SPI client failed"; }

# Exit Program was pressed through its action.
expect_clean_exit "the Exit Program action" "$work/editor.log"
echo "desktop accessibility: the tree, the focused field, Create and Exit Program work through AT-SPI"
