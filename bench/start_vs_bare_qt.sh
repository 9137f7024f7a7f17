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
# The bare window fills itself with 336699; the editor's first page shows the dark panel
# under "Register in the forum" at (100,300).
"$build/bench/verbolt-start-probe" "$runs" \
  bare 100 300 336699 "$build/bench/verbolt-bare-qt-window" -- \
  editor 100 300 "${VERBOLT_EDITOR_PIXEL:-1d355e}" "$build/app/verbolt-editor"
