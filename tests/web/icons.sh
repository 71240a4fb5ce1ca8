#!/usr/bin/env bash
# The page's icons (web/icon-192.png, icon-512.png) are the program's icon,
# as quillet-icon draws it now: each within 1 % (RMSE) of a fresh drawing,
# which leaves room for the edges' antialiasing to differ between Qt versions.
#   icons.sh QUILLET_ICON WEB_FOLDER
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 192 512; do
  "$1" "$work/$size.png" "$size"
  # (compare prints the distance on stderr, and exits 1 when the images differ at all.)
  distance=$(compare -metric RMSE "$2/icon-$size.png" "$work/$size.png" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p') || true
  awk -v d="$distance" -v s="$size" 'BEGIN { if (d == "" || d > 0.01) { print "FAIL: icon-" s ".png is " d " from the drawn icon"; exit 1 }
    print "ok: icon-" s ".png within " d " of the drawn icon" }'
done
