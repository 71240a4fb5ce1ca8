#!/usr/bin/env bash
# End to end: the real quillet on a virtual screen under a window manager,
# driven by keys and checked from screenshots.
#   window.sh path/to/quillet [openbox|mutter|kwin|none]
set -euo pipefail

quillet=$1
wm=${2:-openbox}
convert=/usr/bin/convert
compare=/usr/bin/compare
work=$(mktemp -d)
# shellcheck source=../../script/xsession.sh
. "$(dirname "$0")/../../script/xsession.sh"
trap 'stop_xsession; rm -rf "$work"' EXIT

fail() { echo "FAIL ($wm): $*" >&2; exit 1; }
pass() { echo "ok ($wm): $*"; }

start_xsession 1280x1024 "$wm" || fail "no X session"

# Where the window is: "x y w h" of the client area, absolute.
geometry() {
  xwininfo -id "$1" 2>/dev/null | awk -F: '
    /Absolute upper-left X/ { x = $2 } /Absolute upper-left Y/ { y = $2 }
    /^ *Width/ { w = $2 } /^ *Height/ { h = $2 }
    END { print x + 0, y + 0, w + 0, h + 0 }'
}

# Starts quillet and watches it every 10 ms from the start: the window must
# not move once it is mapped. Notes the first place it was seen in `first`.
start() {
  "$quillet" >"$work/quillet.log" 2>&1 &
  qpid=$!
  pids+=("$qpid")
  wid="" first="" moved=""
  local end=$((SECONDS + 10)) seen=0 g
  while [ $seen -lt 150 ]; do
    [ $SECONDS -lt $end ] || fail "no window titled Quillet"
    [ -n "$wid" ] || wid=$(xdotool search --all --onlyvisible --pid "$qpid" --name '^Quillet$' 2>/dev/null | head -n 1 || true)
    if [ -n "$wid" ]; then
      g=$(geometry "$wid")
      # KWin now and then shows a new window in the screen's corner for a
      # moment before it places it, whatever the window asks for (seen with a
      # position given and without): not the program's doing.
      if [ "$wm" = kwin ] && [ -z "$first" ] && [ "${g% * *}" = "0 0" ]; then
        sleep 0.01
        continue
      fi
      [ -n "$first" ] || first=$g
      [ "$g" = "$first" ] || moved="$moved -> $g"
      seen=$((seen + 1))
    fi
    sleep 0.01
  done
  [ -z "$moved" ] || fail "the window moved after it was mapped: $first$moved"
}

shot() { import -window "$wid" "$work/$1.png"; }
focus() { xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || xdotool windowfocus --sync "$wid"; }

# Ends with the program's exit status within $1 seconds.
exit_status() {
  local end=$((SECONDS + $1))
  while kill -0 "$qpid" 2>/dev/null; do
    [ $SECONDS -lt $end ] || fail "quillet still running"
    sleep 0.1
  done
  wait "$qpid"
}

start
pass "mapped at ($first) and stayed there"
[ "$(xdotool getwindowname "$wid")" = "Quillet" ] || fail "title"
pass "title is Quillet"

read -r x y w h <<<"$first"
[ "$w" = 788 ] && [ "$h" = 565 ] || fail "client area ${w}x${h}, want 788x565"
pass "client area 788x565"
# The frame's extents as the window manager tells them: left, right, top, bottom.
read -r l r t b < <(xprop -id "$wid" _NET_FRAME_EXTENTS | awk -F' = ' '{ gsub(/,/, "", $2); print ($2 == "" ? "0 0 0 0" : $2) }')
centred() { [ $(($1 - 640)) -ge -1 ] && [ $(($1 - 640)) -le 1 ] && [ $(($2 - 512)) -ge -1 ] && [ $(($2 - 512)) -le 1 ]; }
fx=$((x - l + (w + l + r) / 2)); fy=$((y - t + (h + t + b) / 2))
if centred "$fx" "$fy"; then
  pass "frame centred ($fx,$fy; extents $l $r $t $b)"
elif [ "$wm" = mutter ] && centred $((x + w / 2)) $((y + h / 2)); then
  # Mutter 48 answers a request for its frame with none, and draws one later.
  pass "client area centred ($((x + w / 2)),$((y + h / 2))); mutter told no frame ahead"
else
  fail "frame (extents $l $r $t $b) centred at $fx,$fy on a 1280x1024 screen"
fi

shot first
# Below the buttons: a black window with a light drawing on it.
stats=$($convert "$work/first.png" -crop 788x520+0+45 +repage -colorspace gray -format '%[fx:mean] %[fx:maxima]' info:)
read -r mean maxima <<<"$stats"
awk -v m="$mean" 'BEGIN { exit !(m > 0.002 && m < 0.25) }' || fail "mean brightness $mean: not a light drawing on black"
awk -v m="$maxima" 'BEGIN { exit !(m > 0.8) }' || fail "brightest pixel $maxima: nothing light drawn"
black=$($convert "$work/first.png" -crop 788x520+0+45 +repage -fill white +opaque black -negate -format '%[fx:mean]' info:)
awk -v b="$black" 'BEGIN { exit !(b > 0.6) }' || fail "only $black of the window is black"
pass "light drawing on black (mean $mean, black share $black)"

# On a bare X server nobody hands the window the focus: it must take it.
[ "$wm" = none ] || focus
xdotool key alt+r
sleep 2
shot second
diff=$($compare -metric AE "$work/first.png" "$work/second.png" null: 2>&1 || true)
[ "${diff%% *}" -gt 1000 ] 2>/dev/null || fail "Alt+R changed only $diff pixels"
pass "Alt+R draws a new picture ($diff pixels differ)"

[ "$wm" = none ] || focus
xdotool key alt+e
status=0; exit_status 5 || status=$?
[ "$status" = 0 ] || fail "Alt+E: exit status $status"
pass "Alt+E ends with status 0"

if [ "$wm" != none ]; then
  start
  wmctrl -i -c "$wid"  # as the title bar's close button asks it
  status=0; exit_status 5 || status=$?
  [ "$status" = 0 ] || fail "closed by the window manager: exit status $status"
  pass "window manager's close ends with status 0"
fi
echo "e2e ($wm): all passed"
