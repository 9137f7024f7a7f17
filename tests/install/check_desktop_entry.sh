#!/usr/bin/env bash
# The menu entry: valid for desktop-file-validate without a single message, and the keys
# that start the program, find its icon and match its windows.
# Usage: check_desktop_entry.sh ENTRY APP_ID
set -u
entry=$1 id=$2
command -v desktop-file-validate >/dev/null || { echo "desktop-file-validate is missing (scripts/install-deps installs it)"; exit 1; }
[ "$(basename "$entry")" = "$id.desktop" ] || { echo "desktop entry: named $(basename "$entry"), not $id.desktop"; exit 1; }
out=$(desktop-file-validate "$entry" 2>&1)
status=$?
[ "$status" -eq 0 ] && [ -z "$out" ] || { echo "desktop-file-validate ($status): $out"; exit 1; }
failed=0
key() {  # key NAME VALUE: the entry's value of NAME is exactly VALUE
  local got
  got=$(sed -n "s/^$1=//p" "$entry")
  [ "$got" = "$2" ] || { echo "desktop entry: $1 is \"$got\" instead of \"$2\""; failed=1; }
}
key Type Application
key Name "Verbolt Editor"
key Exec "verbolt-editor %f"
key Icon "$id"
key Terminal false
key MimeType "application/x-php;"
key StartupWMClass verbolt-editor
key Categories "Development;Translation;"
for k in GenericName Comment; do
  grep -q "^$k=." "$entry" || { echo "desktop entry: no $k"; failed=1; }
done
[ "$failed" -eq 0 ] || exit 1
echo "desktop entry: valid, no messages"
