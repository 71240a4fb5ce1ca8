# Sourced by the end-to-end tests and script/screenshot: a virtual screen with
# a window manager, torn down on exit.
#   start_xsession WIDTHxHEIGHT [WM]   exports DISPLAY; adds the servers to pids.
#       WM: openbox (the default); mutter (GNOME's, as `mutter --x11`); kwin
#       (KDE's kwin_x11, with the Breeze decoration, and the placement policy
#       KWIN_PLACEMENT names, if any, as a user may set it); none (a bare X
#       server)
#   waitfor SECONDS COMMAND...     until COMMAND succeeds, or fails after SECONDS

pids=()
stop_xsession() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  # Gone before the next session looks for a free display.
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

start_xsession() {
  local size=$1 wm=${2:-openbox} n
  # A desktop session has a UTF-8 locale; a bare shell (CI's) may have none.
  [ -n "${LANG:-}" ] || export LANG=C.UTF-8
  # A display free here, and not answering on the abstract socket either (a
  # chroot's X server shares that with the host).
  for n in $(seq 70 120); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || xdpyinfo -display ":$n" >/dev/null 2>&1 || break
  done
  export DISPLAY=":$n"
  Xvfb "$DISPLAY" -screen 0 "${size}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
  pids+=($!)
  waitfor 10 xdpyinfo || { echo "Xvfb did not start" >&2; return 1; }
  # The desktops' window managers want a session bus and a runtime folder.
  if [ "$wm" = mutter ] || [ "$wm" = kwin ]; then
    eval "$(dbus-launch --sh-syntax)"
    pids+=("$DBUS_SESSION_BUS_PID")
    xsession_runtime=$(mktemp -d)
    export XDG_RUNTIME_DIR=$xsession_runtime
    # The desktop's settings, its own and not this machine's user's.
    export XDG_CONFIG_HOME=$xsession_runtime/config
    mkdir -p "$XDG_CONFIG_HOME"
    [ -z "${KWIN_PLACEMENT:-}" ] || printf '[Windows]\nPlacement=%s\n' "$KWIN_PLACEMENT" >"$XDG_CONFIG_HOME/kwinrc"
  fi
  case $wm in
    openbox) openbox >/dev/null 2>&1 & ;;
    mutter) mutter --x11 --replace >/dev/null 2>&1 & ;;
    kwin) kwin_x11 --replace >/dev/null 2>&1 & ;;
    none) return 0 ;;
    *) echo "no window manager called $wm" >&2; return 1 ;;
  esac
  pids+=($!)
  waitfor 20 xprop -root _NET_SUPPORTING_WM_CHECK || { echo "$wm did not start" >&2; return 1; }
  # The desktops' window managers go on setting up (decorations, effects) for
  # a while after they announce themselves.
  if [ "$wm" = openbox ]; then sleep 0.5; else sleep 2; fi
}
