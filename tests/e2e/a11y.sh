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
# shellcheck source=../lib/orca.sh
. "$here/../lib/orca.sh"

startReaderSession
# shellcheck source=../lib/look.sh
. "$here/../lib/look.sh"

startQuillet() {
  "$quillet" >"$work/quillet.log" 2>&1 &
  qpid=$!
  pids+=("$qpid")
  wid=$(quillet_window) || { cat "$work/quillet.log" >&2; fail "no window titled Quillet"; }
  activate "$wid"
}

# Each count told is its own: no run's count is said more often than runs
# had it (the window keeps its last notifications).
saidAsTold() {
  local shown said twice
  shown=$(/usr/bin/python3 "$here/a11y.py" history) || fail "the window's notifications"
  said=$(heard | sed -n -E 's/^(notification )?(A nearest-site diagram of [0-9]+ sites)\.?$/\2/p')
  [ -n "$said" ] || floodSkipped || fail "no diagram was told"
  twice=$(comm -23 <(sort <<<"$said") <(sort <<<"$shown"))
  [ -z "$twice" ] || fail "said more often than told: $(echo $twice)"
}

# Said, since the last mark: Retry; End; the text given. (grep
# reads all that is heard: with -q it would stop at its first match, and the
# writer, writing on, would die of SIGPIPE, which pipefail counts.)
saidRetry() { heard | grep -E "^Retry( push)? button" >/dev/null; }
saidEnd() { heard | grep -E "^End( push)? button" >/dev/null; }
saidText() { heard | grep -F "$1" >/dev/null; }
# A check that something is not said waits until everything has been said:
# no run draws, and Orca, whose debug log has a line for every event it
# handles, has been quiet for two seconds.
settle() {
  /usr/bin/python3 "$here/a11y.py" idle || fail "the run never finished"
  quiet "$log" 2 || fail "Orca never fell quiet"
}
# What the window itself tells, for a failure's report: whether it is active,
# its run finished, and its notifications, so that a count the window told
# and Orca did not say is told apart from one the window never told; and
# whether Orca heard of those notifications, took them from its queue, and
# what it ignored or pruned from it as a flood; and whether it is still at
# work.
window_told() {
  echo "  the window's tree:"
  /usr/bin/python3 "$here/a11y.py" tree 2>&1 | sed 's/^/    /'
  echo "  what Orca's log has of notifications since:"
  tail -n +$((mark + 1)) "$log" | grep -E "(showing for|Dequeued object:state-changed:showing) \[notification|EVENT MANAGER: (Ignoring|Pruning|[0-9]+ events pruned|DELUGE)" | cut -c1-200 | tail -n 40 | sed 's/^/    /'
  echo "  Orca's last line, at $(date +%T.%N): $(tail -n 1 "$log" | cut -c1-200)"
}
# After a key that starts a run: the new count said, then all said.
toldAfter() {
  local told
  if ! waitfor 60 toldNew; then
    settle
    if ! toldNew; then
      floodSkipped && told=$(/usr/bin/python3 "$here/a11y.py" told) ||
        { tell >&2; window_told >&2; fail "$1: no new diagram was told"; }
      echo "  after $1: Orca skipped the counts in a flood of its queue; the window told '$told'"
      tell
      return
    fi
  fi
  settle
  echo "  after $1:"
  tell
}

if [ "$order" = quillet-first ]; then
  startQuillet
  # The first run has finished before the screen reader starts.
  /usr/bin/python3 "$here/a11y.py" idle || fail "the first run never finished"
  startOrca
  markSpeech() { :; }  # what Orca said as it started counts too
else
  startOrca
  markSpeech
  startQuillet
fi

/usr/bin/python3 "$here/a11y.py" tree || fail "the accessibility tree"
pass "a frame named Quillet with its description, Retry and End enabled, focus on Retry"

waitfor 60 saidRetry || { tell >&2; fail "Orca never reached Retry"; }
waitfor 60 saidText "Quillet frame" || { tell >&2; fail "Orca did not name the window"; }
if [ "$order" = quillet-first ]; then
  settle
  echo "  at start, Orca says:"; tell
  pass "started after the program, Orca finds it: the frame and Retry"
  markSpeech() { mark=$(wc -l <"$log"); }
else
  waitfor 60 toldNew || { tell >&2; window_told >&2; fail "Orca did not say what is drawn"; }
  settle
  echo "  at start, Orca says:"; tell
  pass "at start: the frame, the count and Retry"
fi

markSpeech
xdotool key space
toldAfter "Space on Retry"
saidEnd && fail "Orca announced End during a run that Retry started"
[ "$(counts)" = 1 ] || fail "the new diagram was told $(counts) times, not once"
said=$(heard | grep -o "nearest-site diagram of [0-9]* sites")
shown=$(/usr/bin/python3 "$here/a11y.py" told) || fail "the window's notification"
[ "$shown" = "A $said" ] || fail "Orca said '$said' where the window tells '$shown'"
pass "Space on Retry: the new count once, and no End"

markSpeech
xdotool key Tab
waitfor 60 saidEnd || { tell >&2; fail "Tab did not reach End"; }
markSpeech
xdotool key --delay 50 alt+r space
toldAfter "Tab to End, Alt+R and Space 50 ms later"
kill -0 "$qpid" 2>/dev/null || fail "Space after Alt+R from End ended the program"
saidAsTold
pass "Tab to End, Alt+R, Space: still running, each new diagram told once"

markSpeech
xdotool key --delay 100 alt+r alt+r alt+r alt+r alt+r alt+r alt+r alt+r alt+r alt+r
toldAfter "ten Alt+R, 100 ms apart"
saidAsTold
pass "ten Alt+R: $(counts) counts said, none more often than told"

# The count again, on demand: Orca reads the window's status bar (Insert+KP_Enter twice).
markSpeech
told=$(/usr/bin/python3 "$here/a11y.py" told) || fail "the window's notification"
xdotool keydown Insert key --repeat 2 --delay 150 KP_Enter keyup Insert
waitfor 60 saidText "$told" || { tell >&2; fail "Orca's status bar command did not say '$told'"; }
echo "  after Orca's status bar command:"; tell
pass "the count on demand: $told"

shot first
/usr/bin/python3 "$here/a11y.py" press Retry || fail "Retry through AT-SPI"
settled second first || fail "Retry through AT-SPI changed only $(differing first second) pixels"
pass "Retry through its action draws anew ($(differing first second) pixels differ)"

xdotool key alt+e
status=0; ended "$qpid" 60 || status=$?
[ "$status" = 0 ] || fail "Alt+E: exit status $status (124: still running)"
pass "Alt+E ends with status 0"

# Errors that Quillet caused: none. (Orca cannot reach a speech server or a
# braille display here, and says so with tracebacks of its own.)
quiet "$log" 2 || fail "Orca never fell quiet"
errors=$(grep -a -A20 "Traceback" "$log" | grep -a -E "^[A-Za-z_.]+(Error|Exception)" | grep -v -i -E "speech|brlapi" || true)
if grep -a "bad content" "$log" >&2 || [ -n "$errors" ]; then
  echo "$errors" >&2
  fail "Orca's log has errors"
fi
pass "nothing wrong in Orca's log"
echo "a11y: all passed"
