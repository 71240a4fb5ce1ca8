#!/usr/bin/env bash
# The page's access keys in a real (not headless) browser window, on a virtual
# screen of its own with openbox, typed with xdotool (keys.mjs).
#   keys.sh PAGE_FOLDER chromium|firefox
set -euo pipefail
here=$(dirname "$0")
# shellcheck source=../lib/xsession.sh
. "$here/../lib/xsession.sh"
home=$(mktemp -d)
trap 'stop_xsession; rm -rf "$home"' EXIT
# A new user's settings, not this machine's.
export HOME=$home
start_xsession 1280x1024 || { echo "FAIL: no X session" >&2; exit 1; }
node "$here/keys.mjs" "$@"
