#!/usr/bin/env bash
# The geometry built for the browser prints, under node, what the desktop's
# build prints, byte for byte (see ../traces.sh).
#   parity.sh build-web/bin/quillet-trace.js path/to/quillet-trace
set -euo pipefail
# shellcheck source=../traces.sh
. "$(dirname "$0")/../traces.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
traces_of "$2" >"$work/native"
traces_of node "$1" >"$work/web"
same_traces "the browser's build" "$work/native" "$work/web"
