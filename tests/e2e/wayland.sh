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
# live and silent; Alt+R then draws anew, and Alt+E ends it.
set -euo pipefail

quillet=$1
mode=${2:-headless}
work=$(mktemp -d)
# shellcheck source=../../script/xsession.sh
. "$(dirname "$0")/../../script/xsession.sh"
trap 'stop_xsession; rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }

# A desktop session has a UTF-8 locale; a bare shell (CI's) may have none, and
# Qt 6.8 warns of that.
[ -n "${LANG:-}" ] || export LANG=C.UTF-8
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export WAYLAND_DISPLAY=quillet-test
# --debug lets weston-screenshooter take pictures; without pixman they come
# out blank.
if [ "$mode" = nested ]; then
  start_xsession 1280x1024 none || fail "no X session"
  weston --backend=x11-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" \
    --width=1280 --height=1024 --idle-time=0 >"$work/weston.log" 2>&1 &
else
  weston --backend=headless-backend.so --use-pixman --debug --socket="$WAYLAND_DISPLAY" \
    --width=1280 --height=1024 --idle-time=0 >"$work/weston.log" 2>&1 &
fi
pids+=($!)
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || { cat "$work/weston.log" >&2; fail "weston did not start"; }

QT_QPA_PLATFORM=wayland "$quillet" >"$work/quillet.log" 2>&1 &
qpid=$!
pids+=("$qpid")

# The screenshot's columns with many black pixels, and its rows: the window's
# black drawing area, wherever the compositor put it.
shot() {
  rm -f "$work"/wayland-screenshot-*.png
  if [ "$mode" = nested ]; then
    import -window root "$work/wayland-screenshot-x.png"
  else
    (cd "$work" && weston-screenshooter >/dev/null 2>&1) || return 1
  fi
  ls "$work"/wayland-screenshot-*.png >/dev/null 2>&1
}
blackExtent() {
  local f black
  f=$(ls "$work"/wayland-screenshot-*.png)
  black=("$f" -fill white +opaque black -negate -colorspace gray)
  # "count first": how many columns (rows) are mostly black, and the first.
  read -r cols x0 < <(convert "${black[@]}" -scale '1280x1!' -depth 16 txt:- |
    awk -F'[(,:)]' 'NR > 1 && $4 / 65535 * 1024 > 300 { if (!n++) f = $1 } END { print n + 0, f + 0 }')
  read -r rows y0 < <(convert "${black[@]}" -scale '1x1024!' -depth 16 txt:- |
    awk -F'[(,:)]' 'NR > 1 && $4 / 65535 * 1280 > 400 { if (!n++) f = $2 } END { print n + 0, f + 0 }')
}

# Waits for a 788x565 drawing area with a light drawing on it, and says where.
drawn() {
  cols=0 rows=0
  for _ in $(seq 40); do
    kill -0 "$qpid" 2>/dev/null || { cat "$work/quillet.log" >&2; fail "quillet ended by itself"; }
    if shot; then
      blackExtent
      [ "$cols" = 788 ] && [ "$rows" = 565 ] && break
    fi
    sleep 0.25
  done
  [ "$cols" = 788 ] && [ "$rows" = 565 ] || fail "no 788x565 drawing area on screen (${cols}x${rows})"
  pass "a 788x565 drawing area on screen"

  f=$(ls "$work"/wayland-screenshot-*.png)
  area=("$f" -crop "788x565+$x0+$y0" +repage)
  convert "${area[@]}" "$work/$1.png"
  lit=$(convert "${area[@]}" -colorspace gray -threshold 60% -format '%[fx:round(mean*w*h)]' info:)
  awk -v n="$lit" 'BEGIN { exit !(n > 2000) }' || fail "only $lit light pixels: nothing drawn"
  pass "a light drawing on it at $x0,$y0 ($lit light pixels)"
}

drawn first
if [ "$mode" = nested ]; then
  xdotool key super+shift+m
  sleep 1
  xdotool key alt+r
  sleep 1.5
  drawn second
  diff=$(compare -metric AE "$work/first.png" "$work/second.png" null: 2>&1 || true)
  [ "${diff%% *}" -gt 1000 ] 2>/dev/null || fail "Alt+R after Maximise changed only $diff pixels"
  pass "maximised by the compositor, it stays as it is; Alt+R then draws anew"
fi

if grep -v '^$' "$work/quillet.log" >&2; then
  fail "quillet printed warnings"
fi
pass "no warnings"

if [ "$mode" = nested ]; then
  xdotool key alt+e
  for _ in $(seq 50); do kill -0 "$qpid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$qpid" 2>/dev/null && fail "quillet still running after Alt+E"
  status=0; wait "$qpid" || status=$?
  [ "$status" = 0 ] || fail "Alt+E: exit status $status"
  pass "Alt+E ends with status 0"
else
  kill -TERM "$qpid"
  for _ in $(seq 50); do kill -0 "$qpid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$qpid" 2>/dev/null && fail "quillet still running after SIGTERM"
  pass "ended by SIGTERM, it goes"
fi
echo "wayland ($mode): all passed"
