#!/usr/bin/env bash
# One float rule on both platforms: quillet-trace.exe under Wine prints, byte
# for byte, what the Linux build's quillet-trace prints, for seeds 1 to 300 on
# two canvases (the window's, and a wide one).
#   trace.sh path/to/quillet-trace path/to/quillet-trace.exe
set -euo pipefail
linux=$1
windows=$2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../../script/xsession.sh
. "$here/../../script/xsession.sh"
# shellcheck source=wine.sh
. "$here/wine.sh"
work=$(mktemp -d)
trap 'stop_xsession; wine_end; rm -rf "$work"' EXIT
# A screen of its own: Wine makes windows (the console's) even for a program
# that shows none, and with no display to make them on it may fail.
start_xsession 1024x768 none >/dev/null
wine_prefix

canvases=("788 565" "1913 1009")
# All 600 runs from one batch file: Wine is started once, and its cmd starts
# each run as a process of its own.
cp "$windows" "$work/trace.exe"
{
  printf '@echo off\r\n'
  for canvas in "${canvases[@]}"; do
    printf 'for /L %%%%s in (1,1,300) do trace.exe --seed %%%%s --canvas %s\r\n' "$canvas"
  done
} >"$work/all.bat"
(cd "$work" && "$WINE" cmd /c all.bat >"$work/windows.out" 2>"$work/windows.err")
for canvas in "${canvases[@]}"; do
  for seed in $(seq 300); do
    # shellcheck disable=SC2086
    "$linux" --seed "$seed" --canvas $canvas
  done
done >"$work/linux.out"

lines=$(wc -l <"$work/linux.out")
[ "$lines" -gt 600 ] || { echo "FAIL: the Linux build printed only $lines lines" >&2; exit 1; }
if ! cmp -s "$work/linux.out" "$work/windows.out"; then
  # The run the first difference falls in (each run's trace opens with its
  # canvas line, the runs in the batch's order), and all that the program,
  # cmd and Wine said but Wine's notes on what it lacks and its set-up's own
  # complaint (a run Wine could not start is said only by cmd and by Wine,
  # in lines of their own shapes).
  diff "$work/linux.out" "$work/windows.out" >"$work/diff" || true
  at=$(head -n 1 "$work/diff" | grep -o -E '^[0-9]+')
  run=$(head -n "$at" "$work/linux.out" | grep -c '^canvas ')
  echo "FAIL: the two builds print differently, first in the run of seed $(((run - 1) % 300 + 1)) on" \
    "${canvases[(run - 1) / 300]} (line $at; first difference below)" >&2
  head -n 6 "$work/diff" >&2
  echo "The program, cmd and Wine said:" >&2
  grep -v -E ':fixme:|:err:wineboot:' "$work/windows.err" | head -n 20 >&2 || true
  exit 1
fi
echo "ok: $lines lines, the same on Linux and under Wine ($(md5sum <"$work/linux.out" | cut -c1-12))"
