#!/usr/bin/env bash
# Builds the Debian package into a folder, holds it to lintian and checks what
# it holds and what it depends on: the machine's own, or arm64's, cross-built.
#   package.sh folder [arm64]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=../lib/check.sh
. "$here"/lib/check.sh

arch=${2:-$(dpkg --print-architecture)}
deb=$("$here/../script/package" ${2:+"$2"} "$1" | tail -n 1)
[ -f "$deb" ] || fail "no package"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$arch" ] || fail "$deb is for $(dpkg-deb -f "$deb" Architecture), not $arch"
echo "built $(basename "$deb"), $(stat -c %s "$deb") bytes"

# No error, no warning (lintian's exit status counts errors only).
report=$(lintian --pedantic "$deb" 2>&1 | grep -v '^running with root privileges' || true)
[ -z "$report" ] || { echo "$report" >&2; fail "lintian"; }
echo "lintian: clean, pedantic tags included"

contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
id=org.quillet.quillet
for f in ./usr/bin/quillet ./usr/share/applications/$id.desktop ./usr/share/icons/hicolor/scalable/apps/$id.svg \
  ./usr/share/icons/hicolor/{16x16,24x24}/apps/$id.png ./usr/share/metainfo/$id.metainfo.xml ./usr/share/man/man6/quillet.6.gz ./usr/share/doc/quillet/copyright; do
  grep -qx -- "$f" <<<"$contents" || fail "$f is not in the package"
done
echo "contents: program, desktop entry, icons, metadata, manual page, copyright"

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libc6; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
echo "depends (from the binary's libraries): $depends"
# (Read whole, then searched: grep -q stops reading at its first match, and
# tar, writing on, dies of SIGPIPE, which pipefail counts as a failure.)
copyright=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/quillet/copyright)
grep -q '^License: Expat' <<<"$copyright" || fail "copyright names no licence"
echo "package: all passed"
