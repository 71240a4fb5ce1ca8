#!/usr/bin/env bash
# The installer under Wine, silently, for all users and for the user alone:
# it asks Windows for no administrator's rights before it knows for whom; it
# puts the program, its licences and a Start menu entry in place and
# registers its uninstaller with the size Apps shows; a second install, asked
# for the other mode, replaces the first in place; the installed program
# starts and draws; the uninstaller, started with no mode (as a user who
# opens it does), leaves nothing behind (every file of the prefix compared
# before and after, and the registry's uninstall keys).
#   installer.sh path/to/quillet-<version>-setup.exe VERSION
set -euo pipefail
setup=$1
version=$2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../lib/xsession.sh
. "$here/../lib/xsession.sh"
# shellcheck source=wine.sh
. "$here/wine.sh"
work=$(mktemp -d)
trap 'stop_xsession; wine_end; rm -rf "$work"' EXIT
user=$(id -un)
# shellcheck source=../lib/check.sh
. "$here"/../lib/check.sh

start_xsession 1280x1024 openbox
wine_prefix
# shellcheck source=../lib/look.sh
. "$here/../lib/look.sh"
where=manifest
level=$(grep -a -o -m 1 'requestedExecutionLevel level="[A-Za-z]*"' "$setup" || true)
[ "$level" = 'requestedExecutionLevel level="asInvoker"' ] ||
  fail "the installer asks for '$level': an administrator's rights even to install for the user alone"
pass "the installer starts with the user's own rights"
key='Software\Microsoft\Windows\CurrentVersion\Uninstall\org.quillet.quillet'
# Where a desktop's menus and their icons live in the home folder: nothing
# there may be written while the test runs.
touch "$work/start"
homeMenus() {
  find "$HOME/.local/share/icons" "$HOME/.local/share/applications" "$HOME/.local/share/desktop-directories" \
    "$HOME/.config/menus" -newer "$work/start" 2>/dev/null | sort || true
}
# Every file and folder of the prefix's C: drive, but the users' Temp folders
# (where the uninstaller runs from a copy of itself that Windows removes later).
files() { (cd "$WINEPREFIX/drive_c" && find . -mindepth 1 -not -path './users/*/Temp/*' | sort); }
registry() { "$WINE" reg query "$1\\$key" 2>/dev/null | tr -d '\r' | awk '/^    / && NF >= 3 { $2 = ""; print }'; }

for mode in AllUsers CurrentUser; do
  where=$mode
  case $mode in
    AllUsers) hive=HKLM otherHive=HKCU other=CurrentUser dir="Program Files/Quillet"
      menu="ProgramData/Microsoft/Windows/Start Menu/Programs" ;;
    CurrentUser) hive=HKCU otherHive=HKLM other=AllUsers dir="users/$user/AppData/Local/Programs/Quillet"
      menu="users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs" ;;
  esac
  files >"$work/before"
  "$WINE" "$setup" /S /$mode >"$work/setup.log" 2>&1 || fail "setup exited $?"
  /usr/lib/wine/wineserver64 -w

  files >"$work/installed"
  { for f in "$dir" "$dir/licenses"; do echo "./$f"; done
    for f in GCC-runtime-copyright GPL-3 LGPL-3 LICENSE MinGW-w64-copyright NOTICE Qt-copyright; do echo "./$dir/licenses/$f.txt"; done
    for f in quillet uninstall; do echo "./$dir/$f.exe"; done
    echo "./$menu/Quillet.lnk"; } | sort >"$work/want"
  added=$(comm -13 "$work/before" "$work/installed" | grep -v -x -F "./${dir%/Quillet}" || true)
  [ "$added" = "$(cat "$work/want")" ] || fail "installed files: $(diff <(echo "$added") "$work/want" | head -n 8)"
  pass "program, licences, uninstaller and Start menu entry in place"
  cmp -s "$WINEPREFIX/drive_c/$dir/licenses/NOTICE.txt" /dev/null && fail "empty NOTICE.txt"

  registry "$hive" >"$work/key"
  windir="C:\\${dir//\//\\}"
  for want in "DisplayName Quillet" "DisplayVersion $version" "Publisher The Quillet developers" \
    "DisplayIcon $windir\\quillet.exe" "InstallLocation $windir" \
    "UninstallString \"$windir\\uninstall.exe\"" "QuietUninstallString \"$windir\\uninstall.exe\" /S"; do
    grep -q -x -F "${want%% *}  ${want#* }" "$work/key" || fail "$hive uninstall key lacks '$want': $(cat "$work/key")"
  done
  # Apps shows the size in KiB (rounded down a file at most).
  size=$(sed -n 's/^EstimatedSize  //p' "$work/key")
  bytes=$(find "$WINEPREFIX/drive_c/$dir" -type f -printf '%s\n' | awk '{ s += $1 } END { print s }')
  [ -n "$size" ] && [ $((size)) -le $((bytes / 1024)) ] && [ $((size)) -ge $((bytes / 1024 - 16)) ] ||
    fail "EstimatedSize '$size' for $bytes bytes"
  pass "registered under Apps ($hive, $((size)) KiB), with its silent uninstall"

  # Installed again, asked for the other mode: the install there is replaced in place.
  "$WINE" "$setup" /S /$other >"$work/again.log" 2>&1 || fail "the second install exited $?"
  /usr/lib/wine/wineserver64 -w
  files >"$work/again"
  [ -z "$(registry "$otherHive")" ] || fail "a second entry under Apps ($otherHive) after installing for $other"
  diff "$work/installed" "$work/again" >&2 || fail "a second install, asked for $other, put files elsewhere"
  pass "a second install, asked for $other, replaces this one in place"

  # The installed program starts and draws; Alt+E ends it.
  "$WINE" "$WINEPREFIX/drive_c/$dir/quillet.exe" >"$work/quillet.log" 2>&1 &
  qpid=$!
  wid=$(quillet_window) || fail "the installed program shows no window"
  settled shot || fail "the installed program drew nothing light, or its run never finished"
  activate "$wid" || true
  xdotool key alt+e
  ended "$qpid" 60 || fail "the installed program exited $? (124: still running)"
  pass "the installed program starts, draws and ends"

  # All users: as Apps does it; the user alone: the uninstaller itself.
  uninstall=$(grep '^QuietUninstallString' "$work/key" | sed 's/^QuietUninstallString  "\([^"]*\)".*/\1/')
  [ $mode = AllUsers ] || uninstall=$WINEPREFIX/drive_c/$dir/uninstall.exe
  "$WINE" "$uninstall" /S >"$work/uninstall.log" 2>&1 || fail "uninstall exited $?"
  # (The uninstaller goes on from its copy in Temp.)
  waitfor 60 test ! -e "$WINEPREFIX/drive_c/$dir" || fail "$dir still there"
  /usr/lib/wine/wineserver64 -w
  files >"$work/after"
  left=$(diff "$work/before" "$work/after" || true)
  [ -z "$left" ] || fail "the uninstall left: $left"
  [ -z "$(registry "$hive")" ] || fail "the uninstall key is still there: $(registry "$hive")"
  pass "the silent uninstall leaves nothing behind"
done
where="both modes"
homeMenus >"$work/home-written"
[ ! -s "$work/home-written" ] || fail "written into the home folder: $(head -n 4 "$work/home-written" | tr '\n' ' ')"
pass "nothing written into the home folder's menus"
echo "installer: all passed"
