#!/usr/bin/env bash
# Without a display the program says so in one line and exits non-zero: no crash, no core.
set -u
probe=$(realpath "$1")
check() {  # description, then the environment to run with
  local what=$1; shift
  out=$(env "$@" "$probe" 2>&1 </dev/null)
  status=$?
  lines=$(printf '%s\n' "$out" | grep -c .)
  if [ "$status" -eq 0 ] || [ "$status" -ge 128 ] || [ "$lines" -ne 1 ]; then
    echo "no display ($what): exit $status, output: $out"
    exit 1
  fi
  echo "no display ($what): exit $status: $out"
}
check "none set" -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
check "unreachable" -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:239
