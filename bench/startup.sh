#!/usr/bin/env bash
# The start-up benchmark: Quillet against its floor (a window with the same
# buttons and nothing drawn), in alternating pairs, on a virtual screen with
# no window manager, with openbox, and with GNOME's mutter, each in a session
# of its own with a session bus, as a desktop has. Prints a markdown table.
#   bench/startup.sh [PAIRS] [BUILD]       (15 pairs; the build in build/)
set -euo pipefail
cd "$(dirname "$0")/.."
pairs=${1:-15}
bin=${2:-build}/bin
for p in quillet-probed quillet-floor quillet-startup; do
  [ -x "$bin/$p" ] || { echo "no $bin/$p: build first (script/build)" >&2; exit 1; }
done
echo "| desktop | exec → first run finished (floor: shown and painted) | exec → window exposed | peak RSS |"
echo "|---|---|---|---|"
for wm in none openbox mutter; do
  (
    source tests/lib/xsession.sh
    trap stop_xsession EXIT
    start_xsession 1280x1024 "$wm"  # (with a session bus and runtime folder of its own)
    "$bin/quillet-startup" --pairs "$pairs" --label "$wm" "$bin/quillet-probed" "$bin/quillet-floor"
  )
done
