#!/usr/bin/env bash
# End to end: the real quillet on a virtual screen with a window manager,
# driven by keys and checked from screenshots.
#   window.sh path/to/quillet
set -euo pipefail

quillet=$1
convert=/usr/bin/convert
compare=/usr/bin/compare
work=$(mktemp -d)
# shellcheck source=../../script/xsession.sh
. "$(dirname "$0")/../../script/xsession.sh"
trap 'stop_xsession; rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }

start_xsession 1280x1024 || fail "no X session"

start() {
  "$quillet" >"$work/quillet.log" 2>&1 &
  qpid=$!
  pids+=("$qpid")
  waitfor 10 xdotool search --onlyvisible --name '^Quillet$' || fail "no window titled Quillet"
  wid=$(xdotool search --onlyvisible --name '^Quillet$' | head -n 1)
  sleep 2  # the first run finishes well within this
}

# Ends with the program's exit status within $1 seconds.
exit_status() {
  local end=$((SECONDS + $1))
  while kill -0 "$qpid" 2>/dev/null; do
    [ $SECONDS -lt $end ] || fail "quillet still running"
    sleep 0.1
  done
  wait "$qpid"
}

shot() { import -window "$wid" "$work/$1.png"; }

start
[ "$(xdotool getwindowname "$wid")" = "Quillet" ] || fail "title"
pass "title is Quillet"

eval "$(xwininfo -id "$wid" | awk -F: '
  /Absolute upper-left X/ {gsub(/ /,"",$2); print "x=" $2}
  /Absolute upper-left Y/ {gsub(/ /,"",$2); print "y=" $2}
  /^ *Width/ {gsub(/ /,"",$2); print "w=" $2}
  /^ *Height/ {gsub(/ /,"",$2); print "h=" $2}')"
[ "$w" = 788 ] && [ "$h" = 565 ] || fail "client area ${w}x${h}, want 788x565"
pass "client area 788x565"
cx=$((x + w / 2)); cy=$((y + h / 2))
# Centred: the frame shifts the client area by its title bar at most.
[ $((cx - 640)) -ge -20 ] && [ $((cx - 640)) -le 20 ] && [ $((cy - 512)) -ge -40 ] && [ $((cy - 512)) -le 40 ] ||
  fail "client area centred at $cx,$cy on a 1280x1024 screen"
pass "centred ($cx,$cy)"

shot first
# Below the buttons: a black window with a light drawing on it.
stats=$($convert "$work/first.png" -crop 788x520+0+45 +repage -colorspace gray -format '%[fx:mean] %[fx:maxima]' info:)
read -r mean maxima <<<"$stats"
awk -v m="$mean" 'BEGIN { exit !(m > 0.002 && m < 0.25) }' || fail "mean brightness $mean: not a light drawing on black"
awk -v m="$maxima" 'BEGIN { exit !(m > 0.8) }' || fail "brightest pixel $maxima: nothing light drawn"
black=$($convert "$work/first.png" -crop 788x520+0+45 +repage -fill white +opaque black -negate -format '%[fx:mean]' info:)
awk -v b="$black" 'BEGIN { exit !(b > 0.6) }' || fail "only $black of the window is black"
pass "light drawing on black (mean $mean, black share $black)"

focus() { xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || xdotool windowfocus --sync "$wid"; }

focus
xdotool key alt+r
sleep 2
shot second
diff=$($compare -metric AE "$work/first.png" "$work/second.png" null: 2>&1 || true)
[ "${diff%% *}" -gt 1000 ] 2>/dev/null || fail "Alt+R changed only $diff pixels"
pass "Alt+R draws a new picture ($diff pixels differ)"

focus
xdotool key alt+e
status=0; exit_status 5 || status=$?
[ "$status" = 0 ] || fail "Alt+E: exit status $status"
pass "Alt+E ends with status 0"

start
focus
xdotool key alt+F4
status=0; exit_status 5 || status=$?
[ "$status" = 0 ] || fail "closed by the window manager: exit status $status"
pass "window manager's close ends with status 0"
echo "e2e: all passed"
