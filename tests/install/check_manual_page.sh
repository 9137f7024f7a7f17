#!/usr/bin/env bash
# The manual page: man renders it without a warning, and its options, each with the words
# of --help (it may say more after them), and its FILE are exactly those of --help.
# Usage: check_manual_page.sh MANUAL_PAGE EDITOR
set -u
page=$1 editor=$2
command -v groff >/dev/null || { echo "groff is missing (scripts/install-deps installs groff-base)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

warnings=$(groff -ww -man -z "$page" 2>&1)
[ -z "$warnings" ] || { echo "groff -ww: $warnings"; exit 1; }
if command -v man >/dev/null; then
  LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" >"$work/man.txt" 2>"$work/man.err"
  [ $? -eq 0 ] && [ ! -s "$work/man.err" ] || { echo "man -l: $(cat "$work/man.err")"; exit 1; }
  grep -q '^SYNOPSIS' "$work/man.txt" || { echo "man -l shows no SYNOPSIS"; exit 1; }
fi

# Each entry as "TAG<tab>TEXT", one a line: the page rendered on lines long enough for a
# whole paragraph, --help with its wrapped lines joined.
LC_ALL=C.UTF-8 groff -man -Tutf8 -P-cbou -rLL=2000n -rHY=0 "$page" 2>/dev/null | sed "s/\xe2\x80\x99/'/g" |
  awk -v OFS='\t' '
    /^[A-Z]/ { section = $0; next }
    section != "OPTIONS" && section != "FILE" { next }
    /^       [^ ]/ {
      line = substr($0, 8)
      # A short tag shares its line with the text (".TP" puts it there).
      if (match(line, /   +/) && section == "FILE") { print substr(line, 1, RSTART - 1), substr(line, RSTART + RLENGTH); next }
      tag = line; next
    }
    /^              [^ ]/ && tag != "" { sub(/^ +/, ""); print tag, $0; tag = "" }
  ' >"$work/man.entries"
"$editor" --help | awk -v OFS='\t' '
    /^Options:/ || /^Arguments:/ { inside = 1; next }
    /^$/ { next }
    !/^ / { inside = 0 }
    !inside { next }
    /^  [^ ]/ {
      if (tag != "") print tag, text
      line = substr($0, 3)
      match(line, /  +/)
      tag = substr(line, 1, RSTART - 1); text = substr(line, RSTART + RLENGTH); next
    }
    { sub(/^ +/, ""); text = text " " $0 }
    END { if (tag != "") print tag, text }
  ' | sed 's/<\([A-Z]*\)>/\1/' >"$work/help.entries"

cut -f1 "$work/man.entries" | sort >"$work/man.tags"
cut -f1 "$work/help.entries" | sort >"$work/help.tags"
if ! cmp -s "$work/man.tags" "$work/help.tags"; then
  echo "the manual page and --help list different options (< manual page, > --help):"
  diff "$work/man.tags" "$work/help.tags"
  exit 1
fi
failed=0
while IFS=$'\t' read -r tag text; do
  words=$(printf '%s' "$text" | tr -s ' ')
  page_text=$(awk -F'\t' -v t="$tag" '$1 == t { print $2 }' "$work/man.entries" | tr -s ' ')
  case $page_text in
    "$words"*) ;;
    *) echo "$tag: --help says \"$words\", the manual page \"$page_text\""; failed=1 ;;
  esac
done <"$work/help.entries"
[ "$failed" -eq 0 ] || exit 1
echo "manual page: renders without warnings; $(wc -l <"$work/help.tags") entries agree with --help"
