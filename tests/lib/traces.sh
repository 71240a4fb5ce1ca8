#!/usr/bin/env bash
# Two builds of quillet-trace print the same runs, byte for byte: seeds 1 to
# 300 on the window's canvas and on a wide one of half pixels. Run, it holds
# another build (the page's under node, arm64's under the emulator) to this
# machine's:
#   traces.sh NAME path/to/quillet-trace CMD...
# Sourced, by a test that runs the other build its own way (Windows'):
#   traces_of CMD...      every run in order, each CMD --seed S --canvas W H
#   same_traces NAME A B  fails, saying in which run, unless files A and B agree
trace_canvases=("788 565" "1200 333.5")
trace_seeds=300

traces_of() {
  local dir n
  dir=$(mktemp -d)
  # (A subshell, whose only children are the runs, as many as there are
  # processors at once: the caller's own, an X server say, are not waited for.)
  (
    n=0
    for canvas in "${trace_canvases[@]}"; do
      for seed in $(seq "$trace_seeds"); do
        n=$((n + 1))
        # shellcheck disable=SC2086
        "$@" --seed "$seed" --canvas $canvas >"$dir/$n" &
        ((n < $(nproc))) || wait -n
      done
    done
    wait
  )
  for n in $(seq $((2 * trace_seeds))); do cat "$dir/$n"; done
  rm -rf "$dir"
}

same_traces() {
  local lines at run
  lines=$(wc -l <"$2")
  [ "$lines" -gt $((2 * trace_seeds)) ] || { echo "FAIL: the reference printed only $lines lines" >&2; return 1; }
  if ! cmp -s "$2" "$3"; then
    # Each run's trace opens with its canvas line, the runs in order.
    at=$({ diff "$2" "$3" || true; } | head -n 1 | grep -o -E '^[0-9]+')
    run=$(head -n "$at" "$2" | grep -c '^canvas ')
    echo "FAIL: $1 prints otherwise, first in the run of seed $(((run - 1) % trace_seeds + 1)) on" \
      "${trace_canvases[(run - 1) / trace_seeds]} (line $at):" >&2
    { diff "$2" "$3" || true; } | head -n 6 >&2
    return 1
  fi
  echo "ok: $((2 * trace_seeds)) runs, $lines lines, the same in $1 ($(md5sum <"$2" | cut -c1-12))"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  name=$1 reference=$2
  shift 2
  traces_of "$reference" >"$work/reference"
  traces_of "$@" >"$work/other"
  same_traces "$name" "$work/reference" "$work/other"
fi
