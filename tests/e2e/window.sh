#!/usr/bin/env bash
# End to end: the real quillet on a virtual screen under a window manager,
# driven by keys and checked from screenshots.
#   window.sh path/to/quillet [openbox|mutter|kwin|none] [scale]
# At scale 2 the screen is 2560x1600 and Qt draws everything twice as large
# (QT_SCALE_FACTOR), as on a HiDPI screen. The Windows program (a .exe) runs
# under Wine, in a prefix of its own; it must print nothing of its own. An
# arm64 program runs under qemu-user on any other machine.
set -euo pipefail

quillet=$1
wm=${2:-openbox}
scale=${3:-1}
convert=/usr/bin/convert
work=$(mktemp -d)
# shellcheck source=../lib/xsession.sh
. "$(dirname "$0")/../lib/xsession.sh"
runner=() find=(--pid) wine=false
if [[ $quillet == *.exe ]]; then
  # shellcheck source=../windows/wine.sh
  . "$(dirname "$0")/../windows/wine.sh"
  # (Wine's window names the Windows process, not the one started here.)
  runner=(env WINEDEBUG=warn+seh "$WINE") find=() wine=true
elif [ "$(od -An -tx1 -j18 -N2 "$quillet" | tr -d ' ')" = b700 ] && [ "$(uname -m)" != aarch64 ]; then
  # (ELF's machine 0xb7 is AArch64. Its libraries are the machine's own arm64 ones.)
  runner=(qemu-aarch64 -L /)
fi
trap 'stop_xsession; ! $wine || wine_end; rm -rf "$work"' EXIT

where="$wm, scale $scale"
# shellcheck source=../lib/check.sh
. "$(dirname "$0")"/../lib/check.sh

if [ "$scale" = 1 ]; then sw=1280 sh=1024; else sw=2560 sh=1600; fi
export QT_SCALE_FACTOR=$scale
start_xsession "${sw}x$sh" "$wm" || fail "no X session"
# shellcheck source=../lib/look.sh
. "$(dirname "$0")/../lib/look.sh"
! $wine || wine_prefix

# Where the window is: "x y w h" of the client area, absolute.
geometry() {
  xwininfo -id "$1" 2>/dev/null | awk -F: '
    /Absolute upper-left X/ { x = $2 } /Absolute upper-left Y/ { y = $2 }
    /^ *Width/ { w = $2 } /^ *Height/ { h = $2 }
    END { print x + 0, y + 0, w + 0, h + 0 }'
}

# The window's top-level ancestor: the frame where a window manager draws one.
toplevel() {
  local w=$1 parent
  while parent=$(xwininfo -id "$w" -tree 2>/dev/null | awk '/Parent window id/ { print $4 }') &&
    [ -n "$parent" ] && [ "$(xwininfo -id "$parent" 2>/dev/null | grep -c 'xwininfo: Window id: .* (the root window)')" = 0 ]; do
    w=$parent
  done
  echo "$w"
}

# Where it is, and what it shows, just as it was first seen.
as_it_was() {
  [ "$(geometry "$wid")" = "$first" ] && ! xprop -id "$wid" _NET_WM_STATE | grep -E 'FULLSCREEN|MAXIMIZED' >/dev/null
}

# Starts quillet and watches it: the window must not move once it is mapped.
# The X server's word is what counts: every place quillet's top-level window
# (its frame) is given from the moment it is mapped until it has settled
# (the first run drawn, the frame known). Notes the place where it stays in
# `first`.
start() {
  stdbuf -oL xev -root -event substructure -event property >"$work/xev.log" 2>&1 &
  local xev=$!
  pids+=("$xev")
  # Listening once it hears a property set on the root window.
  waitfor 60 sh -c 'xprop -root -f QUILLET_MARK 8s -set QUILLET_MARK 1; grep -q QUILLET_MARK "$1"' sh "$work/xev.log" ||
    fail "xev does not listen"
  "${runner[@]}" "$quillet" >"$work/quillet.log" 2>&1 &
  qpid=$!
  pids+=("$qpid")
  waitfor 60 window || fail "no window titled Quillet"
  wid=$(window)
  settled first || fail "the first run never finished (Retry still disabled)"
  # Where a window manager draws a frame, it has told it.
  [ "$wm" = none ] || waitfor 60 sh -c "xprop -id $wid _NET_FRAME_EXTENTS | grep -q =" || fail "no frame told"
  kill "$xev" 2>/dev/null || true
  local top places
  top=$(printf '0x%x' "$(toplevel "$wid")")
  # (KWin maps a new frame 1x1 in the corner, and then gives it its place and
  # size: nothing of the window is seen there.)
  places=$(awk -v top="$top" '
    /^MapNotify/ { getline; if ($4 == top ",") mapped = 1 }
    /^ConfigureNotify/ { getline; if (mapped && $4 == top "," && ($7 + 0) > 1 && ($9 + 0) > 1) print $5 }' \
    "$work/xev.log" | uniq | tr '\n' ' ')
  [ "$(wc -w <<<"$places")" -le 1 ] || fail "the window moved after it was mapped, as the X server tells: $places"
  first=$(geometry "$wid")
}
# (Wine's window names the Windows process, not the one started here.)
window() { xdotool search --all --onlyvisible ${find[@]:+"${find[@]}" "$qpid"} --name '^Quillet$' | head -n 1 | grep .; }

start
pass "mapped at ($first) and stayed there"

read -r x y w h <<<"$first"
[ "$w" = "$(look_px 788)" ] && [ "$h" = "$(look_px 565)" ] || fail "client area ${w}x${h}, want $(look_px 788)x$(look_px 565)"
pass "client area $(look_px 788)x$(look_px 565)"
# The frame's extents as the window manager tells them: left, right, top, bottom.
read -r l r t b < <(xprop -id "$wid" _NET_FRAME_EXTENTS | awk -F' = ' '{ gsub(/,/, "", $2); print ($2 == "" ? "0 0 0 0" : $2) }')
# Within a device pixel. Under Wine the program centres the frame Windows
# would draw, and the window manager draws its own in its place: the two
# differ by Wine's metrics (2 px with Wine 8, 5 px with Wine 10 under
# openbox). Within 6, then, which still tells a centred client area apart
# (10 px off).
tol=$scale
! $wine || tol=6
centred() {
  [ $(($1 - sw / 2)) -ge -$tol ] && [ $(($1 - sw / 2)) -le $tol ] &&
    [ $(($2 - sh / 2)) -ge -$tol ] && [ $(($2 - sh / 2)) -le $tol ]
}
fx=$((x - l + (w + l + r) / 2)); fy=$((y - t + (h + t + b) / 2))
if centred "$fx" "$fy"; then
  pass "frame centred ($fx,$fy; extents $l $r $t $b)"
elif { [ "$wm" = mutter ] || [ "$wm" = kwin ]; } && centred $((x + w / 2)) $((y + h / 2)); then
  # Mutter 48 answers a request for its frame with none, and draws one later;
  # KWin tells a frame only once it draws it.
  pass "client area centred ($((x + w / 2)),$((y + h / 2))); $wm told no frame ahead"
else
  fail "frame (extents $l $r $t $b) centred at $fx,$fy on a ${sw}x$sh screen"
fi

# The desktop links the window to its entry (name, icon) by its class. (On
# Windows, the installer's Start menu entry names the program itself.)
if ! $wine; then
  class=$(xprop -id "$wid" WM_CLASS | sed -n 's/.*= "[^"]*", "\([^"]*\)"$/\1/p')
  [ "$class" = Quillet ] || fail "window class '$class', where the desktop entry's StartupWMClass is Quillet"
  pass "window class $class, as the desktop entry says"
fi

# Below the buttons: a black window with a light drawing on it.
stats=$($convert "$work/first.png" -crop "$below_buttons" +repage -colorspace gray -format '%[fx:mean] %[fx:maxima]' info:)
read -r mean maxima <<<"$stats"
awk -v m="$mean" 'BEGIN { exit !(m > 0.002 && m < 0.25) }' || fail "mean brightness $mean: not a light drawing on black"
# (The darkest colour a run may pick, red 122, green and blue 222, is 0.787 grey.)
awk -v m="$maxima" 'BEGIN { exit !(m > 0.75) }' || fail "brightest pixel $maxima: nothing light drawn"
black=$($convert "$work/first.png" -crop "$below_buttons" +repage -fill white +opaque black -negate -format '%[fx:mean]' info:)
awk -v b="$black" 'BEGIN { exit !(b > 0.6) }' || fail "only $black of the window is black"
pass "light drawing on black (mean $mean, black share $black)"

# On a bare X server nobody hands the window the focus: it must take it.
[ "$wm" = none ] || activate "$wid"
xdotool key alt+r
settled second first || fail "Alt+R changed only $(differing first second) pixels, or the run never finished"
pass "Alt+R draws a new picture ($(differing first second) pixels differ)"

# Fixed in size: asked by the window manager to fill the screen, it stays.
# (Windows has no full screen that others ask for: under Wine, Maximise.)
states=(fullscreen maximized_vert,maximized_horz)
! $wine || states=(maximized_vert,maximized_horz)
if [ "$wm" != none ]; then
  for state in "${states[@]}"; do
    wmctrl -i -r "$wid" -b add,$state
    # The manager has taken the request once it has taken the one after it,
    # which changes nothing but a hint; then the window must be as it was.
    wmctrl -i -r "$wid" -b add,above
    waitfor 60 sh -c "xprop -id $wid _NET_WM_STATE | grep -q ABOVE" || fail "the window manager takes no request"
    waitfor 60 as_it_was ||
      fail "asked for $state, the window went from $first to $(geometry "$wid"), $(xprop -id "$wid" _NET_WM_STATE)"
    wmctrl -i -r "$wid" -b remove,above
    waitfor 60 sh -c "! xprop -id $wid _NET_WM_STATE | grep -q ABOVE" || fail "the window stays above the others"
  done
  pass "${states[*]} asked by the window manager: it stays as it is"
fi

[ "$wm" = none ] || activate "$wid"
xdotool key alt+e
status=0; ended "$qpid" 60 || status=$?
[ "$status" = 0 ] || fail "Alt+E: exit status $status"
pass "Alt+E ends with status 0"
if $wine; then
  printed=$(own_output "$work/quillet.log")
  [ -z "$printed" ] || fail "the program printed: $printed"
  pass "nothing printed but Wine's own lines ($(wc -l <"$work/quillet.log"))"
fi

if [ "$wm" != none ]; then
  start
  wmctrl -i -c "$wid"  # as the title bar's close button asks it
  status=0; ended "$qpid" 60 || status=$?
  [ "$status" = 0 ] || fail "closed by the window manager: exit status $status"
  pass "window manager's close ends with status 0"
fi
echo "e2e ($wm): all passed"
