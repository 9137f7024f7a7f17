#!/usr/bin/env bash
# The command line: --help and --version answer on standard output with status 0, a wrong
# line gives the usage on standard error with status 2 and no window; with or without a
# display.
# Usage: run_command_line.sh EDITOR
set -u
editor=$(realpath "$1")
. "$(dirname "$0")/xvfb_session.sh"

failed=0
matches() {  # matches PATTERN FILE: "-" matches anything, "" only an empty file
  case $1 in
    -) return 0 ;;
    "") [ ! -s "$2" ] ;;
    *) grep -qE -e "$1" "$2" ;;
  esac
}
expect() {  # expect WHAT STATUS STDOUT-PATTERN STDERR-PATTERN -- ARGS...
  local what=$1 status=$2 out_pattern=$3 err_pattern=$4
  shift 5
  for where in "no display" "display"; do
    if [ "$where" = "no display" ]; then
      env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 10 "$editor" "$@" >"$work/out" 2>"$work/err" </dev/null
    else
      timeout 10 "$editor" "$@" >"$work/out" 2>"$work/err" </dev/null
    fi
    local got=$?
    if [ "$got" -ne "$status" ] || ! matches "$out_pattern" "$work/out" || ! matches "$err_pattern" "$work/err"; then
      echo "command line: $what ($where): status $got, stdout: $(cat "$work/out"), stderr: $(cat "$work/err")"
      failed=1
    fi
  done
}
expect "--help" 0 "^Usage: verbolt-editor \[options\] \[FILE\]$" "" -- --help
expect "--help lists --codepage" 0 "--codepage <N>" "" -- --help
expect "-h" 0 "^Usage: " "" -- -h
expect "--version" 0 "^Verbolt Editor 1\.0$" "" -- --version
expect "an unknown option" 2 "" "^verbolt-editor: Unknown option 'frobnicate'" -- --frobnicate
expect "an unknown option shows the usage" 2 "" "^Usage: verbolt-editor" -- --frobnicate
expect "a second FILE" 2 "" "only one FILE can be given" -- a.php b.php
expect "an unsupported code page" 2 "" "unsupported code page \"1255\"" -- --codepage 1255
expect "a code page without its number" 2 "" "Missing value after '--codepage'" -- --codepage
# No window appears for a usage error, even with a display.
"$editor" --frobnicate >/dev/null 2>&1
xdotool search --name "Verbolt Editor" >/dev/null 2>&1 && { echo "command line: a window appeared"; failed=1; }
[ "$failed" -eq 0 ] || exit 1
echo "command line: --help, --version and usage errors answer with and without a display"
