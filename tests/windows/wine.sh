# Sourced by the Windows tests: Wine (64-bit, through wine64 here, which keeps
# its processes' addresses where Wine can start them; /usr/bin/wine would
# first print a hint about the missing 32-bit Wine) in a prefix of the test's
# own, made fresh and removed at the end.
#   wine_prefix          exports WINEPREFIX (a new prefix) and WINE
#   wine_end             ends the prefix's wineserver and removes the prefix
#   own_output FILE      prints the lines of FILE that are not Wine's own
#                        (its debug channels, "0024:fixme:ntdll:...", err,
#                        warn, trace, and its loader, "wine: " and "wine
#                        client error:"), and what the
#                        program told the debugger, as Qt does in a program
#                        without a console: Wine prints it where WINEDEBUG
#                        has warn+seh, '0024:warn:seh:OutputDebugStringA
#                        "..."'. Of that, Qt's complaints about three of
#                        Wine's stubs are left out: per-monitor DPI awareness
#                        v2, non-client DPI scaling and the monitor's device
#                        interface (Qt 6.8), which Windows 10 and 11 have.

WINE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine64

wine_prefix() {
  WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/quillet-wine.XXXXXX")
  export WINEPREFIX
  # No offer to install Mono or Gecko: nothing here needs them. No menu
  # builder: it would put the installer's Start menu entries and their icons
  # in this machine's user's menus, outside the prefix.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  "$WINE" wineboot --init >/dev/null 2>&1
  /usr/lib/wine/wineserver64 -w
}

wine_end() {
  [ -n "${WINEPREFIX:-}" ] || return 0
  /usr/lib/wine/wineserver64 -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}

own_output() {
  grep -v -E '^[0-9a-f]{4}:(fixme|err|warn|trace):|^wine( client error:[0-9a-f]+)?: ' "$1" || true
  grep -E '^[0-9a-f]{4}:warn:seh:OutputDebugStringA ' "$1" |
    grep -v -E '"(qt\.qpa\.windows: SetProcessDpiAwarenessContext\(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2\) failed: COM error 0x57 |EnableNonClientDpiScaling\(\) failed for HWND [0-9a-fx]+ \(120\) |qt\.qpa\.screen: \\"Unable to open monitor interface to )' || true
}
