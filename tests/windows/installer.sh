#!/usr/bin/env bash
# The installer under Wine, silently, for all users and for the user alone:
# it puts the program, its licences and a Start menu entry in place and
# registers its uninstaller; the installed program starts and draws; the
# silent uninstall leaves nothing behind (every file of the prefix compared
# before and after, and the registry's uninstall key).
#   installer.sh path/to/quillet-<version>-setup.exe VERSION
set -euo pipefail
setup=$1
version=$2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../../script/xsession.sh
. "$here/../../script/xsession.sh"
# shellcheck source=wine.sh
. "$here/wine.sh"
work=$(mktemp -d)
trap 'stop_xsession; wine_end; rm -rf "$work"' EXIT
user=$(id -un)
fail() { echo "FAIL ($mode): $*" >&2; exit 1; }
pass() { echo "ok ($mode): $*"; }

start_xsession 1280x1024 openbox
wine_prefix
# shellcheck source=../e2e/look.sh
. "$here/../e2e/look.sh"
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
  case $mode in
    AllUsers) hive=HKLM dir="Program Files/Quillet" menu="ProgramData/Microsoft/Windows/Start Menu/Programs" ;;
    CurrentUser) hive=HKCU dir="users/$user/AppData/Local/Programs/Quillet"
      menu="users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs" ;;
  esac
  files >"$work/before"
  "$WINE" "$setup" /S /$mode >"$work/setup.log" 2>&1 || fail "setup exited $?"
  /usr/lib/wine/wineserver64 -w

  files >"$work/installed"
  { for f in "$dir" "$dir/licenses"; do echo "./$f"; done
    for f in GPL-3 LGPL-3 LICENSE NOTICE Qt-copyright; do echo "./$dir/licenses/$f.txt"; done
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
    "UninstallString \"$windir\\uninstall.exe\" /$mode" "QuietUninstallString \"$windir\\uninstall.exe\" /$mode /S"; do
    grep -q -x -F "${want%% *}  ${want#* }" "$work/key" || fail "$hive uninstall key lacks '$want': $(cat "$work/key")"
  done
  pass "registered under Apps ($hive), with its silent uninstall"

  # The installed program starts and draws; Alt+E ends it.
  "$WINE" "$WINEPREFIX/drive_c/$dir/quillet.exe" >"$work/quillet.log" 2>&1 &
  qpid=$!
  waitfor 60 xdotool search --onlyvisible --name '^Quillet$' || fail "the installed program shows no window"
  wid=$(xdotool search --onlyvisible --name '^Quillet$' | head -n 1)
  settled shot || fail "the installed program drew nothing light, or its run never finished"
  xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
  xdotool key alt+e
  ended "$qpid" 60 || fail "the installed program exited $? (124: still running)"
  pass "the installed program starts, draws and ends"

  uninstall=$(grep '^QuietUninstallString' "$work/key" | sed 's/^QuietUninstallString  "\([^"]*\)".*/\1/')
  "$WINE" "$uninstall" /$mode /S >"$work/uninstall.log" 2>&1 || fail "uninstall exited $?"
  # (The uninstaller goes on from its copy in Temp.)
  waitfor 60 test ! -e "$WINEPREFIX/drive_c/$dir" || fail "$dir still there"
  /usr/lib/wine/wineserver64 -w
  files >"$work/after"
  left=$(diff "$work/before" "$work/after" || true)
  [ -z "$left" ] || fail "the uninstall left: $left"
  [ -z "$(registry "$hive")" ] || fail "the uninstall key is still there: $(registry "$hive")"
  pass "the silent uninstall leaves nothing behind"
done
mode="both modes"
homeMenus >"$work/home-written"
[ ! -s "$work/home-written" ] || fail "written into the home folder: $(head -n 4 "$work/home-written" | tr '\n' ' ')"
pass "nothing written into the home folder's menus"
echo "installer: all passed"
