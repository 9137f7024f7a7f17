#!/usr/bin/env bash
# lintian finds no error in the package; everything else it says is shown.
# Usage: check_lintian.sh DEB
set -u
command -v lintian >/dev/null || { echo "lintian is missing (scripts/install-deps installs it)"; exit 1; }
[ -f "$1" ] || { echo "lintian: no package $1"; exit 1; }
out=$(lintian --fail-on error --display-info "$1" 2>&1)
status=$?
printf '%s\n' "$out" | grep -v '^running with root privileges'
[ "$status" -eq 0 ] || { echo "lintian found errors in $(basename "$1")"; exit 1; }
echo "lintian: no errors in $(basename "$1")"
