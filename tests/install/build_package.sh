#!/usr/bin/env bash
# CPack's Debian package of the built tree, into OUT_DIR, and the fields a package manager
# reads: its name, the run-time packages beside dpkg-shlibdeps' libraries, maintainer,
# section, description; and the files it carries.
# Usage: build_package.sh CPACK_CONFIG OUT_DIR VERSION APP_ID
set -u
config=$1 out=$2 version=$3 id=$4
rm -rf "$out"
mkdir -p "$out"
cpack --config "$config" -G DEB -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; exit 1; }
deb="$out/verbolt-editor_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "package: no $(basename "$deb") in $out: $(ls "$out")"; exit 1; }
failed=0
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = verbolt-editor ] || { echo "package: named $(field Package)"; failed=1; }
[ "$(field Version)" = "$version" ] || { echo "package: version $(field Version)"; failed=1; }
depends=$(field Depends)
for p in fonts-wine fonts-dejavu-core qt6-qpa-plugins libqt6widgets6 libqt6gui6 libfreetype6 libfontconfig1 libc6; do
  printf '%s\n' "$depends" | tr ',' '\n' | grep -q "^ *$p\b" || { echo "package: Depends lacks $p: $depends"; failed=1; }
done
for f in Maintainer Section Priority Description Homepage; do
  [ -n "$(field "$f")" ] || { echo "package: no $f"; failed=1; }
done
contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for f in ./usr/bin/verbolt-editor "./usr/share/applications/$id.desktop" "./usr/share/metainfo/$id.metainfo.xml" \
         "./usr/share/icons/hicolor/256x256/apps/$id.png" ./usr/share/man/man1/verbolt-editor.1.gz \
         ./usr/share/doc/verbolt-editor/copyright ./usr/share/doc/verbolt-editor/changelog.gz; do
  printf '%s\n' "$contents" | grep -qx "$f" || { echo "package: does not carry $f"; failed=1; }
done
[ "$failed" -eq 0 ] || exit 1
echo "package: $(basename "$deb"), Depends: $depends"
