# Sourced by the end-to-end test and script/screenshot: a virtual screen with
# a window manager, torn down on exit.
#   start_xsession WIDTHxHEIGHT   exports DISPLAY; adds the servers to pids
#   waitfor SECONDS COMMAND...     until COMMAND succeeds, or fails after SECONDS

pids=()
stop_xsession() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  # Gone before the next session looks for a free display.
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
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
  local size=$1 n
  for n in $(seq 70 120); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
  done
  export DISPLAY=":$n"
  Xvfb "$DISPLAY" -screen 0 "${size}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
  pids+=($!)
  waitfor 10 xdpyinfo || { echo "Xvfb did not start" >&2; return 1; }
  openbox >/dev/null 2>&1 &
  pids+=($!)
  waitfor 10 xprop -root _NET_SUPPORTING_WM_CHECK || { echo "openbox did not start" >&2; return 1; }
  sleep 0.5
}
