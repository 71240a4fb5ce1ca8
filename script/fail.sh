# shellcheck shell=bash
# Sourced by the scripts.
#   fail_with_log LOG WHAT   prints the last 40 lines of LOG, then "FAIL: WHAT", and exits 1
fail_with_log() {
  tail -n 40 "$1" >&2
  echo "FAIL: $2" >&2
  exit 1
}
