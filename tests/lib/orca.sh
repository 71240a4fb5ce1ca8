# Sourced by the accessibility tests, with xsession.sh and check.sh, which it
# sources: the accessibility bus and the Orca screen reader on the test's own
# display, and what Orca says, read from its debug log; all of it stopped,
# and the scratch folder `work` it makes removed, on exit.
#   startReaderSession      a virtual screen with openbox, the session's bus and
#                           the accessibility bus, and a new user's settings
#   stopReaderSession       all that and Orca stopped, the scratch folder gone
#   startOrca, stopOrca     as a new user has it
#   markSpeech              what is heard from now on
#   heard                   what Orca said since the mark, one utterance a line
#   tell                    that, indented, for a report
#   counts, toldNew         how many diagrams' counts were said since the mark; one at least
#   floodSkipped            whether Orca dropped events in a flood of its queue since the mark

lib=$(dirname "${BASH_SOURCE[0]}")
# shellcheck source=xsession.sh
. "$lib/xsession.sh"
# shellcheck source=check.sh
. "$lib/check.sh"
work=$(mktemp -d)
trap stopReaderSession EXIT

# A new user's settings, read by the accessibility bus too (whether a screen
# reader runs), and not this machine's.
startReaderSession() {
  export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config
  mkdir -p "$HOME"
  start_xsession 1280x1024 || fail "no X session"
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  pids+=($!)
  waitfor 60 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress ||
    fail "no accessibility bus"
}
stopReaderSession() {
  [ -z "$orca" ] || stopOrca 2>/dev/null || true
  stop_xsession
  # (A browser's helpers may still be writing its profile there for a moment.)
  waitfor 30 rm -rf "$work"
}

# Orca as a new user has it. There is no sound here: the speech server it
# looks for is not there, and what it would say is in its log all the same.
log=$work/orca.log
# Orca will not start while its user runs another Orca anywhere, which it asks
# pgrep. It is told only of those on this test's display: a screen reader on
# the developer's own desktop, or in another test run, never meets this one.
orca=""
mkdir -p "$work/bin"
cat >"$work/bin/pgrep" <<'SHIM'
#!/bin/sh
for pid in $(/usr/bin/pgrep "$@"); do
  tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -q -x "DISPLAY=$DISPLAY" && echo "$pid"
done
exit 0
SHIM
chmod +x "$work/bin/pgrep"
startOrca() {
  # Its debug log is written line by line only to a terminal: `script` gives it one.
  PATH=$work/bin:$PATH SPEECHD_ADDRESS=unix_socket:$work/no-speech script -q -f -c "orca --disable braille --debug-file=/dev/tty" "$log" </dev/null >"$work/orca.out" 2>&1 &
  orca=$!
  pids+=("$orca")
  waitfor 60 grep -q -E "Startup complete|Starting Atspi main event loop|SPEECH OUTPUT" "$log" || { cat "$work/orca.out" >&2; fail "Orca did not start"; }
}
# Orca runs under `script`, which reaps it once it is stopped.
stopOrca() {
  pkill -P "$orca"
  waitfor 10 sh -c "! pgrep -P $orca" || pkill -9 -P "$orca"
  wait "$orca"
}
# What Orca said since the last mark, one utterance a line.
mark=0
markSpeech() { mark=$(wc -l <"$log"); }
heard() { tail -n +$((mark + 1)) "$log" | sed -n -E "s/.*SPEECH OUTPUT: '(.*)' ?(\{.*)?$/\1/p"; }
tell() { heard | sed 's/^/    /'; }
# A count told: Orca 43 says "notification A nearest-site ... sites.", Orca 48
# "notification" and then the count.
counts() { heard | grep -c -E "^(notification )?A nearest-site diagram of [0-9]+ sites\.?$" || true; }
toldNew() { [ "$(counts)" -ge 1 ]; }

# Orca, by its own rule, drops notifications while more than 50 events wait in
# its queue: one it takes from the queue then is not spoken, and a focus event
# (Retry's, after each run) prunes all waiting ones, silently but for the
# number; while more than 100 wait, it queues none. A burst of runs on a busy
# machine can bring it there; then it is shown that the window told the
# newest count, and what Orca skipped.
floodSkipped() {
  local dropped="Not processing this event due to flood|Ignoring event type due to deluge|[1-9][0-9]* events pruned"
  tail -n +$((mark + 1)) "$log" | grep -E "EVENT MANAGER: ($dropped)" >/dev/null
}
