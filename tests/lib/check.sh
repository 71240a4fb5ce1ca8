# shellcheck shell=bash
# Sourced by the test scripts: how a check says what it saw.
#   fail WHAT   "FAIL: WHAT" on stderr, and exits 1
#   pass WHAT   "ok: WHAT"
# Where the caller sets `where` (the window manager, a mode), both name it:
# "FAIL (openbox): ...".
fail() { echo "FAIL${where:+ ($where)}: $*" >&2; exit 1; }
pass() { echo "ok${where:+ ($where)}: $*"; }
