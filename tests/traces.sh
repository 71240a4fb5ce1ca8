# shellcheck shell=bash
# Two builds of quillet-trace print the same runs, byte for byte: seeds 1 to
# 300 on two canvases, the window's and a wide one of half pixels. Sourced by
# the tests that hold another build (the page's, the Windows program's)
# against the Linux one:
#   traces_of CMD...        every run, in order, each by CMD --seed S --canvas W H
#                           (as many at once as there are processors)
#   same_traces NAME A B    fails, saying in which run, unless files A and B are
#                           the same; B is NAME's
trace_canvases=("788 565" "1200 333.5")
trace_seeds=300

traces_of() {
  local dir
  dir=$(mktemp -d)
  # (In a subshell of its own, whose only children are the runs: the caller's
  # own, an X server say, are not waited for.)
  (
    n=0 running=0
    for canvas in "${trace_canvases[@]}"; do
      for seed in $(seq "$trace_seeds"); do
        n=$((n + 1))
        # shellcheck disable=SC2086
        "$@" --seed "$seed" --canvas $canvas >"$dir/$n" &
        if ((++running >= $(nproc))); then
          wait -n
          running=$((running - 1))
        fi
      done
    done
    wait
  )
  for n in $(seq $((2 * trace_seeds))); do cat "$dir/$n"; done
  rm -rf "$dir"
}

same_traces() {
  local name=$1 a=$2 b=$3 lines at run
  lines=$(wc -l <"$a")
  [ "$lines" -gt $((2 * trace_seeds)) ] || { echo "FAIL: the reference printed only $lines lines" >&2; return 1; }
  if ! cmp -s "$a" "$b"; then
    # The run the first difference falls in: each run's trace opens with its
    # canvas line, the runs in order.
    at=$(diff "$a" "$b" | head -n 1 | grep -o -E '^[0-9]+')
    run=$(head -n "$at" "$a" | grep -c '^canvas ')
    echo "FAIL: $name prints otherwise, first in the run of seed $(((run - 1) % trace_seeds + 1)) on" \
      "${trace_canvases[(run - 1) / trace_seeds]} (line $at):" >&2
    diff "$a" "$b" | head -n 6 >&2
    return 1
  fi
  echo "ok: $((2 * trace_seeds)) runs, $lines lines, the same in $name ($(md5sum <"$a" | cut -c1-12))"
}
