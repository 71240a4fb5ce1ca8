#!/usr/bin/env bash
# Two builds of one commit give the same bytes: every package that script/test
# built (the Debian packages, the machine's and arm64's; the Windows program,
# installer, licences and source; the page) against a second build, later,
# from a clone in another folder.
#   reproducible.sh DEB_FOLDER WINDOWS_FOLDER WEB_FOLDER
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=../lib/check.sh
. "$(dirname "$0")"/../lib/check.sh
if [ -n "$(git -C "$top" status --porcelain --untracked-files=no)" ]; then
  echo "skipped: uncommitted changes are in the first build and not in a clone of the commit"
  exit 77
fi
firsts=()
for folder in "$@"; do firsts+=("$(cd "$folder" && pwd)"); done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

git clone -q "$top" "$work/quillet"
"$work/quillet/script/package" "$work/dist" >/dev/null
"$work/quillet/script/package" arm64 "$work/dist" >/dev/null
for kind in windows web; do
  "$work/quillet/script/package" $kind "$work/dist" >/dev/null 2>"$work/$kind.log" || {
    cat "$work/$kind.log" >&2
    fail "script/package $kind"
  }
done
cd "$work/dist"
differ=0
while read -r f; do
  was=""
  for folder in "${firsts[@]}"; do [ -e "$folder/$f" ] && was=$folder/$f; done
  sum=$(sha256sum <"$f" | cut -d' ' -f1)
  if [ -z "$was" ]; then
    echo "FAIL: ${f#./}: built the second time only" >&2
    differ=1
  elif ! cmp -s "$was" "$f"; then
    echo "FAIL: ${f#./}: $(sha256sum <"$was" | cut -c1-16)... the first time, ${sum:0:16}... the second" >&2
    differ=1
  fi
  echo "$sum  ${f#./}"
done < <(find . -type f | sort)
[ "$differ" = 0 ] || fail "the second build differs"
