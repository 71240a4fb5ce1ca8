#!/usr/bin/env bash
# Installs a build into a temporary prefix and validates what a desktop
# needs of it: the program, its desktop entry, its icon and its metadata.
#   install.sh path/to/build
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

id=org.quillet.quillet
for f in bin/quillet share/applications/$id.desktop share/icons/hicolor/scalable/apps/$id.svg \
         share/metainfo/$id.metainfo.xml; do
  [ -e "$prefix/$f" ] || { echo "FAIL: $f was not installed" >&2; exit 1; }
done
[ -x "$prefix/bin/quillet" ] || { echo "FAIL: bin/quillet is not executable" >&2; exit 1; }
desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml"
grep -q "^Icon=$id$" "$prefix/share/applications/$id.desktop"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$prefix/share/metainfo/$id.metainfo.xml"
echo "install: all valid"
