#!/usr/bin/env bash
# Start-up of the editor next to a bare Qt 6 window of its size, under a private Xvfb:
# exec → the first painted pixel, and resident memory after start; nine runs each,
# alternately; medians and the ratio.
# Usage: bench/start_vs_bare_qt.sh BUILD_DIR [RUNS]
set -u
build=$(realpath "${1:-build}")
runs=${2:-9}
. "$(dirname "$0")/../tests/desktop/xvfb_session.sh"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# A desktop session has a session bus, and Qt looks for it at start (for assistive tools):
# without one, both programs autolaunch a bus daemon in the middle of their start, whose
# fork stalls the larger one longer. Both run inside one private session bus, as on a
# desktop; VERBOLT_START_WITHOUT_BUS=1 measures them without it.
bus=()
if [ -z "${VERBOLT_START_WITHOUT_BUS:-}" ] && command -v dbus-run-session >/dev/null; then
  bus=(dbus-run-session --)
  echo "inside a private session bus (VERBOLT_START_WITHOUT_BUS=1: without)"
else
  echo "without a session bus"
fi
# The bare window fills itself with 336699; the editor's first page shows the dark panel
# under "Register in the forum" at (100,300).
"${bus[@]}" "$build/bench/verbolt-start-probe" "$runs" \
  bare 100 300 336699 "$build/bench/verbolt-bare-qt-window" -- \
  editor 100 300 "${VERBOLT_EDITOR_PIXEL:-1d355e}" "$build/app/verbolt-editor"
