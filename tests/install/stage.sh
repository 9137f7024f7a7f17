#!/usr/bin/env bash
# `cmake --install` into a scratch root (DESTDIR) under another prefix, and every file a
# desktop needs in its place.
# Usage: stage.sh BUILD_DIR STAGE_ROOT PREFIX APP_ID
set -u
build=$1 root=$2 prefix=$3 id=$4
rm -rf "$root"
mkdir -p "$(dirname "$root")"
DESTDIR="$root" cmake --install "$build" --prefix "$prefix" >"$root.log" 2>&1 || { cat "$root.log"; exit 1; }
at="$root$prefix"
failed=0
expect() {  # expect FILE [MODE]
  if [ ! -f "$at/$1" ]; then
    echo "install: $prefix/$1 is missing"
    failed=1
  elif [ -n "${2:-}" ] && [ "$(stat -c %a "$at/$1")" != "$2" ]; then
    echo "install: $prefix/$1 has mode $(stat -c %a "$at/$1") instead of $2"
    failed=1
  fi
}
expect bin/verbolt-editor 755
expect "share/applications/$id.desktop" 644
expect "share/metainfo/$id.metainfo.xml" 644
for size in 16 32 48 64 128 256; do expect "share/icons/hicolor/${size}x$size/apps/$id.png" 644; done
expect share/man/man1/verbolt-editor.1 644
expect share/doc/verbolt-editor/copyright 644
expect share/doc/verbolt-editor/changelog 644
# Nothing lands outside the prefix.
outside=$(cd "$root" && find . -type f ! -path ".$prefix/*")
[ -z "$outside" ] || { echo "install: files outside $prefix: $outside"; failed=1; }
[ "$failed" -eq 0 ] || exit 1
echo "install: $(cd "$at" && find . -type f | wc -l) files under $prefix"
