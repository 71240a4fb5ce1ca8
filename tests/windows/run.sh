#!/usr/bin/env bash
# Runs a Windows test program under Wine, in a prefix of its own, on a
# virtual screen (Wine's user interface wants one even where Qt draws
# offscreen), and exits with its status.
#   run.sh program.exe [arguments...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../lib/xsession.sh
. "$here/../lib/xsession.sh"
# shellcheck source=wine.sh
. "$here/wine.sh"
trap 'stop_xsession; wine_end' EXIT
start_xsession 1024x768 none >/dev/null
wine_prefix
"$WINE" "$@"
