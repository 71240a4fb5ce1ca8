# Sourced by the end-to-end tests and script/screenshot: a virtual screen with
# a window manager, torn down on exit. Everything it starts is the caller's
# own: an X server on a display the server picks itself, a session bus, and a
# runtime and settings folder, so that two test runs at once never meet.
#   start_xsession WIDTHxHEIGHT [WM]   exports DISPLAY; adds the servers to pids.
#       WM: openbox (the default); mutter (GNOME's, as `mutter --x11`); kwin
#       (KDE's kwin_x11, with the Breeze decoration, and the placement policy
#       KWIN_PLACEMENT names, if any, as a user may set it); none (a bare X
#       server)
#   waitfor SECONDS COMMAND...     until COMMAND succeeds, or fails after SECONDS
#   ended PID SECONDS              until process PID (a child) has ended, then
#                                  its exit status; 124 if it still runs
#   quiet FILE SECONDS [LIMIT]     until FILE has not grown for SECONDS, or
#                                  fails after LIMIT (120) seconds
#   activate WID                   makes window WID the active one (or, where
#                                  no window manager activates, focuses it)

# Deadlines are generous: on a machine busy with other work, everything is
# later. A condition that holds is seen within a tenth of a second.
pids=()
# A desktop session has a UTF-8 locale; a bare shell (CI's) may have none, and
# Qt 6.8 warns of that.
[ -n "${LANG:-}" ] || export LANG=C.UTF-8
activate() { xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1"; }
stop_xsession() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  [ -z "${xsession_runtime:-}" ] || rm -rf "$xsession_runtime"
}

waitfor() {
  local limit=$1; shift
  local end=$((SECONDS + limit))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.1
  done
}

# Waits, up to a minute, for a visible window titled Quillet, and prints its id.
quillet_window() {
  waitfor 60 xdotool search --onlyvisible --name '^Quillet$' &&
    xdotool search --onlyvisible --name '^Quillet$' | head -n 1
}

ended() {
  local end=$((SECONDS + $2))
  while kill -0 "$1" 2>/dev/null; do
    [ $SECONDS -lt $end ] || return 124
    sleep 0.1
  done
  wait "$1"
}

quiet() {
  local file=$1 still=$2 end=$((SECONDS + ${3:-120})) size last since=$SECONDS
  last=$(stat -c %s "$file")
  while [ $((SECONDS - since)) -lt "$still" ]; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.1
    size=$(stat -c %s "$file")
    [ "$size" = "$last" ] || { last=$size since=$SECONDS; }
  done
}

start_xsession() {
  local size=$1 wm=${2:-openbox}
  xsession_runtime=$(mktemp -d)
  # The server takes a free display itself (its lock file and socket decide,
  # also against a chroot's server on the shared abstract socket) and writes
  # its number once it takes connections.
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$xsession_runtime/display" >/dev/null 2>&1 &
  pids+=($!)
  waitfor 60 grep -q '^[0-9]' "$xsession_runtime/display" || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(head -n 1 "$xsession_runtime/display")"
  # A session bus, a runtime folder and the desktop's settings of its own, not
  # this machine's user's (the desktops' window managers want all three).
  eval "$(dbus-launch --sh-syntax)"
  pids+=("$DBUS_SESSION_BUS_PID")
  export XDG_RUNTIME_DIR=$xsession_runtime/runtime XDG_CONFIG_HOME=$xsession_runtime/config
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  mkdir -p "$XDG_CONFIG_HOME"
  [ -z "${KWIN_PLACEMENT:-}" ] || printf '[Windows]\nPlacement=%s\n' "$KWIN_PLACEMENT" >"$XDG_CONFIG_HOME/kwinrc"
  case $wm in
    openbox) openbox >/dev/null 2>&1 & ;;
    mutter) mutter --x11 --replace >/dev/null 2>&1 & ;;
    kwin) kwin_x11 --replace >/dev/null 2>&1 & ;;
    none) return 0 ;;
    *) echo "no window manager called $wm" >&2; return 1 ;;
  esac
  pids+=($!)
  waitfor 60 xprop -root _NET_SUPPORTING_WM_CHECK || { echo "$wm did not start" >&2; return 1; }
  wm_frames || { echo "$wm frames no window" >&2; return 1; }
}

# The desktops' window managers go on setting up (decorations, effects) for a
# while after they announce themselves, and a window mapped meanwhile may be
# lost: its map request never answered (seen with openbox on a busy machine).
# Ready once a window mapped as a probe is given its frame: a new probe every
# two seconds until one is.
wm_frames() {
  local probes=() out k=0 framed=1 end=$((SECONDS + 60))
  while [ $framed = 1 ] && [ $SECONDS -lt $end ]; do
    if [ $((k++ % 20)) = 0 ]; then
      # (xev names its window as it makes it: "Outer window is 0x...", a line
      # at a time with stdbuf.)
      out=$xsession_runtime/probe.${#probes[@]}
      stdbuf -oL xev -geometry 100x100+0+0 >"$out" 2>&1 &
      probes+=($!)
    fi
    sleep 0.1
    for out in "$xsession_runtime"/probe.*; do
      xprop -id "$(awk '/^Outer window is/ { sub(/,$/, "", $4); print $4 }' "$out")" _NET_FRAME_EXTENTS 2>/dev/null |
        grep -q -E '= [0-9]+, [0-9]+, [1-9]' && framed=0
    done
  done
  kill "${probes[@]}" 2>/dev/null
  wait "${probes[@]}" 2>/dev/null
  return $framed
}
