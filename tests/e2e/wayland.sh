#!/usr/bin/env bash
# End to end on Wayland: the real quillet under weston, checked from
# screenshots.
#   wayland.sh path/to/quillet [headless|nested]
#
# headless: weston's headless backend, pictures from the compositor. It takes
# no input: the buttons, their access keys and the window's close are not
# driven here (the X11 test drives them), and the program is ended with
# SIGTERM.
# nested: weston in a window on a virtual X screen, which takes keys: the
# compositor maximises the window (Super+Shift+M) and it must stay as it is,
# live and silent, and keep the keyboard: Alt+R pressed at once draws anew,
# three times over, and Alt+E ends it. The first time, the program is held
# still while both go, so that it reads the compositor's Maximise and the key
# together, as a busy machine has it do.
set -euo pipefail

quillet=$1
mode=${2:-headless}
work=$(mktemp -d)
# shellcheck source=../lib/xsession.sh
. "$(dirname "$0")/../lib/xsession.sh"
trap 'stop_xsession; rm -rf "$work"' EXIT

# shellcheck source=../lib/check.sh
. "$(dirname "$0")"/../lib/check.sh

# shellcheck source=../lib/look.sh
. "$(dirname "$0")/../lib/look.sh"
export WAYLAND_DISPLAY=quillet-test
# --debug lets weston-screenshooter take pictures; without pixman they come
# out blank. The socket is in a runtime folder of the test's own, beside a
# session bus of its own.
if [ "$mode" = nested ]; then
  start_xsession 1280x1024 none || fail "no X session"
  weston --backend=x11-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" \
    --width=1280 --height=1024 --idle-time=0 >"$work/weston.log" 2>&1 &
else
  export XDG_RUNTIME_DIR="$work/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  eval "$(dbus-launch --sh-syntax)"
  pids+=("$DBUS_SESSION_BUS_PID")
  weston --backend=headless-backend.so --use-pixman --debug --socket="$WAYLAND_DISPLAY" \
    --width=1280 --height=1024 --idle-time=0 >"$work/weston.log" 2>&1 &
fi
pids+=($!)
waitfor 60 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || { cat "$work/weston.log" >&2; fail "weston did not start"; }

QT_QPA_PLATFORM=wayland "$quillet" >"$work/quillet.log" 2>&1 &
qpid=$!
pids+=("$qpid")

# The screen's client area: the 788x565 black region, wherever the compositor
# put it, as $work/NAME.png, and its place in x0 and y0. Its size is the span
# from the first column (row) with many black pixels to the last: an edge of
# the diagram that runs along a row or column leaves that one short of black.
shot() {
  local f=$work/screen.png black cols rows
  rm -f "$work"/wayland-screenshot-*.png
  if [ "$mode" = nested ]; then
    import -window root "$f" 2>/dev/null || return 1
  else
    (cd "$work" && weston-screenshooter >/dev/null 2>&1) || return 1
    mv "$work"/wayland-screenshot-*.png "$f" 2>/dev/null || return 1
  fi
  black=("$f" -fill white +opaque black -negate -colorspace gray)
  read -r cols x0 < <(convert "${black[@]}" -scale '1280x1!' -depth 16 txt:- |
    awk -F'[(,:)]' 'NR > 1 && $4 / 65535 * 1024 > 300 { if (!n++) f = $1; l = $1 } END { print n ? l - f + 1 : 0, f + 0 }')
  read -r rows y0 < <(convert "${black[@]}" -scale '1x1024!' -depth 16 txt:- |
    awk -F'[(,:)]' 'NR > 1 && $4 / 65535 * 1280 > 400 { if (!n++) f = $2; l = $2 } END { print n ? l - f + 1 : 0, f + 0 }')
  [ "$cols" = 788 ] && [ "$rows" = 565 ] || return 1
  convert "$f" -crop "788x565+$x0+$y0" +repage "$work/$1.png"
}

# Waits for a run to finish on screen (one whose drawing differs from picture
# SINCE, if given), and checks it drew.
drawn() {
  settled "$@" || { cat "$work/quillet.log" >&2; fail "no 788x565 client area on screen with a finished run${2:+ that differs from picture $2}"; }
  kill -0 "$qpid" 2>/dev/null || { cat "$work/quillet.log" >&2; fail "quillet ended by itself"; }
  lit=$(convert "$work/$1.png" -crop "$below_buttons" +repage -colorspace gray -threshold 60% -format '%[fx:round(mean*w*h)]' info:)
  # (The label alone has some hundreds; a run of few sites has little more.)
  awk -v n="$lit" 'BEGIN { exit !(n > 200) }' || fail "only $lit light pixels: nothing drawn"
  pass "a 788x565 client area at $x0,$y0 with a light drawing on it ($lit light pixels)"
}

# Bytes waiting, unread, on the program's sockets.
unread() { ss -xpn | awk -v p="pid=$qpid," 'index($0, p) { n += $3 } END { print n + 0 }'; }
more_unread() { [ "$(unread)" -gt "$1" ]; }
# Presses a key for the stopped program and waits until what the compositor
# sends for it waits, unread, on the program's socket.
press_unread() {
  local before
  before=$(unread)
  xdotool key "$1"
  waitfor 60 more_unread "$before" || fail "$1: the compositor sent the stopped program nothing"
}

if [ "$mode" = nested ]; then
  # Weston draws the pointer: out of the way, in the screen's corner.
  xdotool mousemove 1279 1023
fi
drawn first
if [ "$mode" = nested ]; then
  # The window starts afresh each time, and must have the keyboard again.
  last=first
  for round in 1 2 3; do
    if [ "$round" = 1 ]; then
      kill -STOP "$qpid"
      press_unread super+shift+m
      press_unread alt+r
      kill -CONT "$qpid"
    else
      xdotool key super+shift+m
      xdotool key alt+r
    fi
    drawn "after$round" "$last"
    pass "maximised by the compositor ($round), it stays as it is; Alt+R at once draws anew ($(differing "$last" "after$round") pixels differ)"
    last=after$round
  done
fi

if grep -v '^$' "$work/quillet.log" >&2; then
  fail "quillet printed warnings"
fi
pass "no warnings"

if [ "$mode" = nested ]; then
  xdotool key alt+e
  status=0; ended "$qpid" 60 || status=$?
  [ "$status" = 0 ] || fail "Alt+E: exit status $status (124: still running)"
  pass "Alt+E ends with status 0"
else
  kill -TERM "$qpid"
  ended "$qpid" 60 || [ $? != 124 ] || fail "quillet still running after SIGTERM"
  pass "ended by SIGTERM, it goes"
fi
echo "wayland ($mode): all passed"
