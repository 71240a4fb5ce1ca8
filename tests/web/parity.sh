#!/usr/bin/env bash
# The geometry built for the browser prints, under node, what the desktop's
# build prints: 300 seeds at two canvases (the page's box, and a wide one of
# half pixels), byte for byte.
#   parity.sh build-web/bin/quillet-trace.js path/to/quillet-trace
set -euo pipefail
export web=$1 native=$2
one() { cmp -s <(node "$web" --seed "$1" --canvas "$2" "$3") <("$native" --seed "$1" --canvas "$2" "$3") || echo "seed $1 at $2 x $3"; }
export -f one
differ=$(for seed in $(seq 1 300); do echo "$seed 788 565 $seed 1200 333.5"; done |
  xargs -n 3 -P "$(nproc)" bash -c 'one "$@"' one)
[ -z "$differ" ] || { echo "FAIL: the browser's build prints otherwise: $(head -n 5 <<<"$differ" | tr '\n' ';')" >&2; exit 1; }
echo "parity: 600 traces, byte for byte"
