#!/usr/bin/env bash
# The software centre's description: appstreamcli accepts it with no error and no warning,
# and it holds what a software centre shows.
# Usage: check_metainfo.sh METAINFO APP_ID VERSION
set -u
file=$1 id=$2 version=$3
command -v appstreamcli >/dev/null || { echo "appstreamcli is missing (scripts/install-deps installs it)"; exit 1; }
out=$(appstreamcli validate --no-net "$file" 2>&1)
status=$?
if [ "$status" -ne 0 ] || printf '%s\n' "$out" | grep -qE '^[EW]:'; then
  echo "appstreamcli validate ($status):"
  printf '%s\n' "$out"
  exit 1
fi
failed=0
has() {  # has PATTERN WHAT
  grep -qE "$1" "$file" || { echo "metainfo: no $2"; failed=1; }
}
has "<id>$id</id>" "component id $id"
has '<summary>.+</summary>' summary
has '<description>' description
has '<screenshot type="default">' "default screenshot"
has '<image[^>]*>https://[^<]+\.png</image>' "screenshot image"
has '<content_rating type="oars-1\.1"' "content rating"
has "<launchable type=\"desktop-id\">$id\.desktop</launchable>" "launchable naming the desktop entry"
has '<binary>verbolt-editor</binary>' "provided binary"
has "<release version=\"$version\"" "release $version"
[ "$failed" -eq 0 ] || exit 1
echo "metainfo: valid ($(printf '%s\n' "$out" | grep -c '^I:') infos)"
