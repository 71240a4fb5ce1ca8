#!/usr/bin/env bash
# End to end for assistive technology: the real quillet under Xvfb and openbox
# with a session bus and the accessibility bus, read and driven through AT-SPI
# (tests/e2e/a11y.py) as a screen reader would.
#   a11y.sh path/to/quillet
set -euo pipefail

quillet=$1
here=$(dirname "$0")
work=$(mktemp -d)
# shellcheck source=../../script/xsession.sh
. "$here/../../script/xsession.sh"
trap 'stop_xsession; rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }

start_xsession 1280x1024 || fail "no X session"
eval "$(dbus-launch --sh-syntax)"
pids+=("$DBUS_SESSION_BUS_PID")
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
waitfor 10 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress ||
  fail "no accessibility bus"

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$quillet" >"$work/quillet.log" 2>&1 &
qpid=$!
pids+=("$qpid")
waitfor 20 xdotool search --onlyvisible --name '^Quillet$' || { cat "$work/quillet.log" >&2; fail "no window titled Quillet"; }
wid=$(xdotool search --onlyvisible --name '^Quillet$' | head -n 1)
xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || xdotool windowfocus --sync "$wid"

/usr/bin/python3 "$here/a11y.py" tree || fail "the accessibility tree"
pass "a frame named Quillet with its description, Retry and End enabled, focus on Retry"

import -window "$wid" "$work/first.png"
/usr/bin/python3 "$here/a11y.py" press Retry || fail "Retry through AT-SPI"
sleep 1
import -window "$wid" "$work/second.png"
diff=$(compare -metric AE "$work/first.png" "$work/second.png" null: 2>&1 || true)
[ "${diff%% *}" -gt 1000 ] 2>/dev/null || fail "Retry through AT-SPI changed only $diff pixels"
pass "Retry through AT-SPI draws anew and says so ($diff pixels differ)"

/usr/bin/python3 "$here/a11y.py" press End || fail "End through AT-SPI"
end=$((SECONDS + 5))
while kill -0 "$qpid" 2>/dev/null; do
  [ $SECONDS -lt $end ] || fail "quillet still running after End"
  sleep 0.1
done
status=0; wait "$qpid" || status=$?
[ "$status" = 0 ] || fail "End through AT-SPI: exit status $status"
pass "End through AT-SPI ends with status 0"
echo "a11y: all passed"
