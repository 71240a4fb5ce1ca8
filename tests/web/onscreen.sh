#!/usr/bin/env bash
# A page test that needs real browser windows (keys.mjs, typed with xdotool;
# webkit.mjs, WebKit's MiniBrowser), on a virtual screen of its own with
# openbox, as a new user.
#   onscreen.sh TEST.mjs ARGS...
set -euo pipefail
here=$(dirname "$0")
# shellcheck source=../lib/xsession.sh
. "$here/../lib/xsession.sh"
home=$(mktemp -d)
trap 'stop_xsession; rm -rf "$home"' EXIT
# A new user's settings, not this machine's.
export HOME=$home
start_xsession 1600x1400 || { echo "FAIL: no X session" >&2; exit 1; }
node "$here/$1" "${@:2}"
