#!/usr/bin/env bash
# End to end for assistive technology: the real quillet under Xvfb and openbox
# with a session bus, the accessibility bus and the Orca screen reader. It is
# read and driven through AT-SPI (tests/e2e/a11y.py) as a screen reader would,
# and what Orca says (the speech in its debug log) is heard at each step.
#   a11y.sh path/to/quillet [orca-first|quillet-first]
# quillet-first: the screen reader is started once the program runs, as
# people turn it on; neither is told anything through the environment.
set -euo pipefail

quillet=$1
order=${2:-orca-first}
here=$(dirname "$0")
work=$(mktemp -d)
# shellcheck source=../../script/xsession.sh
. "$here/../../script/xsession.sh"
orca=""
# Orca runs under `script`, which reaps it once it is stopped.
trap '[ -z "$orca" ] || { pkill -P "$orca"; sleep 0.5; pkill -9 -P "$orca"; wait "$orca"; } 2>/dev/null || true; stop_xsession; rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }

# A new user's settings, read by the accessibility bus too (whether a screen
# reader runs), and not this machine's.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config
mkdir -p "$HOME"
start_xsession 1280x1024 || fail "no X session"
eval "$(dbus-launch --sh-syntax)"
pids+=("$DBUS_SESSION_BUS_PID")
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
waitfor 10 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress ||
  fail "no accessibility bus"

# Orca as a new user has it. There is no sound here: the speech server it
# looks for is not there, and what it would say is in its log all the same.
log=$work/orca.log
startOrca() {
  # Its debug log is written line by line only to a terminal: `script` gives it one.
  SPEECHD_ADDRESS=unix_socket:$work/no-speech script -q -f -c "orca --disable braille --debug-file=/dev/tty" "$log" </dev/null >"$work/orca.out" 2>&1 &
  orca=$!
  pids+=("$orca")
  waitfor 20 grep -q -E "Startup complete|Starting Atspi main event loop|SPEECH OUTPUT" "$log" || { cat "$work/orca.out" >&2; fail "Orca did not start"; }
}
startQuillet() {
  "$quillet" >"$work/quillet.log" 2>&1 &
  qpid=$!
  pids+=("$qpid")
  waitfor 20 xdotool search --onlyvisible --name '^Quillet$' || { cat "$work/quillet.log" >&2; fail "no window titled Quillet"; }
  wid=$(xdotool search --onlyvisible --name '^Quillet$' | head -n 1)
  xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || xdotool windowfocus --sync "$wid"
}

# What Orca said since the last mark, one utterance a line.
mark=0
markSpeech() { mark=$(wc -l <"$log"); }
heard() { tail -n +$((mark + 1)) "$log" | sed -n -E "s/.*SPEECH OUTPUT: '(.*)' ?(\{.*)?$/\1/p"; }
tell() { heard | sed 's/^/    /'; }
# A count told: Orca 43 says "notification A nearest-site ... sites.", Orca 48
# "notification" and then the count.
counts() { heard | grep -c -E "^(notification )?A nearest-site diagram of [0-9]+ sites\.?$" || true; }
# Each count told is its own: no run's count is said more often than runs
# had it (the window keeps its last notifications).
saidAsTold() {
  local shown said twice
  shown=$(/usr/bin/python3 "$here/a11y.py" history) || fail "the window's notifications"
  said=$(heard | sed -n -E 's/^(notification )?(A nearest-site diagram of [0-9]+ sites)\.?$/\2/p')
  [ -n "$said" ] || fail "no diagram was told"
  twice=$(comm -23 <(sort <<<"$said") <(sort <<<"$shown"))
  [ -z "$twice" ] || fail "said more often than told: $(echo $twice)"
}

if [ "$order" = quillet-first ]; then
  startQuillet
  sleep 1
  startOrca
  markSpeech() { :; }  # what Orca said as it started counts too
else
  startOrca
  markSpeech
  startQuillet
fi

/usr/bin/python3 "$here/a11y.py" tree || fail "the accessibility tree"
pass "a frame named Quillet with its description, Retry and End enabled, focus on Retry"

waitfor 10 sh -c "grep -q -E \"SPEECH OUTPUT: 'Retry( push)? button\" '$log'" || { tell >&2; fail "Orca never reached Retry"; }
sleep 0.5
echo "  at start, Orca says:"; tell
heard | grep -q "^Quillet frame" || fail "Orca did not name the window"
if [ "$order" = quillet-first ]; then
  pass "started after the program, Orca finds it: the frame and Retry"
  markSpeech() { mark=$(wc -l <"$log"); }
else
  heard | grep -q "nearest-site diagram of [0-9]* sites" || fail "Orca did not say what is drawn"
  pass "at start: the frame, the count and Retry"
fi

markSpeech
xdotool key space
sleep 2
echo "  after Space on Retry:"; tell
heard | grep -q "^End" && fail "Orca announced End during a run that Retry started"
[ "$(counts)" = 1 ] || fail "the new diagram was told $(counts) times, not once"
said=$(heard | grep -o "nearest-site diagram of [0-9]* sites")
shown=$(/usr/bin/python3 "$here/a11y.py" told) || fail "the window's notification"
[ "$shown" = "A $said" ] || fail "Orca said '$said' where the window tells '$shown'"
pass "Space on Retry: the new count once, and no End"

markSpeech
xdotool key --delay 5 space space
sleep 2
echo "  after Space twice, 5 ms apart:"; tell
kill -0 "$qpid" 2>/dev/null || fail "a second Space during the run ended the program"
heard | grep -q "^End" && fail "Orca announced End"
[ "$(counts)" -ge 1 ] || fail "no new diagram was told"
pass "Space twice: still running, a new diagram told"

markSpeech
xdotool key Return
sleep 2
echo "  after Enter on Retry:"; tell
[ "$(counts)" = 1 ] || fail "Enter on Retry: the new diagram was told $(counts) times, not once"
pass "Enter on Retry: a new diagram, told once"

markSpeech
xdotool key Tab
sleep 0.5
xdotool key alt+r
sleep 0.05
xdotool key space
sleep 2
echo "  after Tab to End, Alt+R and Space 50 ms later:"; tell
kill -0 "$qpid" 2>/dev/null || fail "Space after Alt+R from End ended the program"
saidAsTold
pass "Tab to End, Alt+R, Space: still running, each new diagram told once"

markSpeech
xdotool key --delay 100 alt+r alt+r alt+r alt+r alt+r alt+r alt+r alt+r alt+r alt+r
sleep 3
echo "  after ten Alt+R, 100 ms apart:"; tell
saidAsTold
pass "ten Alt+R: $(counts) counts said, none more often than told"

# The count again, on demand: Orca reads the window's status bar (Insert+KP_Enter twice).
sleep 1
markSpeech
xdotool keydown Insert key --repeat 2 --delay 150 KP_Enter keyup Insert
sleep 1.5
echo "  after Orca's status bar command:"; tell
told=$(/usr/bin/python3 "$here/a11y.py" told) || fail "the window's notification"
heard | grep -q -F "$told" || fail "Orca's status bar command did not say '$told'"
pass "the count on demand: $told"

import -window "$wid" "$work/first.png"
/usr/bin/python3 "$here/a11y.py" press Retry || fail "Retry through AT-SPI"
sleep 1
import -window "$wid" "$work/second.png"
diff=$(compare -metric AE "$work/first.png" "$work/second.png" null: 2>&1 || true)
[ "${diff%% *}" -gt 1000 ] 2>/dev/null || fail "Retry through AT-SPI changed only $diff pixels"
pass "Retry through its action draws anew ($diff pixels differ)"

xdotool key alt+e
end=$((SECONDS + 5))
while kill -0 "$qpid" 2>/dev/null; do
  [ $SECONDS -lt $end ] || fail "quillet still running after Alt+E"
  sleep 0.1
done
status=0; wait "$qpid" || status=$?
[ "$status" = 0 ] || fail "Alt+E: exit status $status"
pass "Alt+E ends with status 0"

# Errors that Quillet caused: none. (Orca cannot reach a speech server or a
# braille display here, and says so with tracebacks of its own.)
errors=$(grep -a -A20 "Traceback" "$log" | grep -a -E "^[A-Za-z_.]+(Error|Exception)" | grep -v -i -E "speech|brlapi" || true)
if grep -a "bad content" "$log" >&2 || [ -n "$errors" ]; then
  echo "$errors" >&2
  fail "Orca's log has errors"
fi
pass "nothing wrong in Orca's log"
echo "a11y: all passed"
