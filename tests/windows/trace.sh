#!/usr/bin/env bash
# One float rule on both platforms: quillet-trace.exe under Wine prints, byte
# for byte, what the Linux build's quillet-trace prints (see ../lib/traces.sh).
#   trace.sh path/to/quillet-trace path/to/quillet-trace.exe
set -euo pipefail
linux=$1
windows=$2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../lib/xsession.sh
. "$here/../lib/xsession.sh"
# shellcheck source=wine.sh
. "$here/wine.sh"
# shellcheck source=../lib/traces.sh
. "$here/../lib/traces.sh"
work=$(mktemp -d)
trap 'stop_xsession; wine_end; rm -rf "$work"' EXIT
# A screen of its own: Wine makes windows (the console's) even for a program
# that shows none, and with no display to make them on it may fail.
start_xsession 1024x768 none >/dev/null
wine_prefix

# All the runs from one batch file: Wine is started once, and its cmd starts
# each run as a process of its own.
cp "$windows" "$work/trace.exe"
{
  printf '@echo off\r\n'
  for canvas in "${trace_canvases[@]}"; do
    printf 'for /L %%%%s in (1,1,%s) do trace.exe --seed %%%%s --canvas %s\r\n' "$trace_seeds" "$canvas"
  done
} >"$work/all.bat"
(cd "$work" && "$WINE" cmd /c all.bat >"$work/windows.out" 2>"$work/windows.err")
traces_of "$linux" >"$work/linux.out"
if ! same_traces "the Windows build" "$work/linux.out" "$work/windows.out"; then
  # All that the program, cmd and Wine said but Wine's notes on what it lacks
  # and its set-up's own complaint (a run Wine could not start is said only
  # by cmd and by Wine, in lines of their own shapes).
  echo "The program, cmd and Wine said:" >&2
  grep -v -E ':fixme:|:err:wineboot:' "$work/windows.err" | head -n 20 >&2 || true
  exit 1
fi
