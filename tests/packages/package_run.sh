#!/usr/bin/env bash
# Unpacks the Debian package into a scratch root and starts the program that
# it installs on a virtual screen: its window comes up, and End ends it. The
# arm64 package's program is put through every end-to-end check, under the
# emulator (e2e/window.sh).
#   package_run.sh folder-with-the-package [arm64]
set -euo pipefail
deb=$(ls "$1"/quillet_*_"${2:-$(dpkg --print-architecture)}".deb | head -n 1)
root=$(mktemp -d)
# shellcheck source=../lib/xsession.sh
. "$(dirname "$0")/../lib/xsession.sh"
trap 'stop_xsession; rm -rf "$root"' EXIT
# shellcheck source=../lib/check.sh
. "$(dirname "$0")"/../lib/check.sh

dpkg-deb -x "$deb" "$root"
[ -z "${2:-}" ] || { "$(dirname "$0")/../e2e/window.sh" "$root/usr/bin/quillet" openbox; exit; }
start_xsession 1280x1024 || fail "no X session"
"$root/usr/bin/quillet" >"$root/quillet.log" 2>&1 &
qpid=$!
pids+=("$qpid")
wid=$(quillet_window) || fail "no window titled Quillet"
echo "ok: the installed quillet opens its window"
activate "$wid"
xdotool key alt+e
status=0; ended "$qpid" 60 || status=$?
[ "$status" = 0 ] || fail "exit status $status (124: still running after Alt+E)"
echo "ok: Alt+E ends it with status 0"
