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
         share/icons/hicolor/16x16/apps/$id.png share/icons/hicolor/24x24/apps/$id.png share/metainfo/$id.metainfo.xml; do
  [ -e "$prefix/$f" ] || { echo "FAIL: $f was not installed" >&2; exit 1; }
done
[ -x "$prefix/bin/quillet" ] || { echo "FAIL: bin/quillet is not executable" >&2; exit 1; }
desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml"
grep -q "^Icon=$id$" "$prefix/share/applications/$id.desktop"
# The desktop links the window to this entry by the window's class (the
# application's name); the end-to-end tests check the window's.
grep -q "^StartupWMClass=Quillet$" "$prefix/share/applications/$id.desktop" ||
  { echo "FAIL: the desktop entry names no StartupWMClass=Quillet" >&2; exit 1; }
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$prefix/share/metainfo/$id.metainfo.xml"
echo "install: all valid"
