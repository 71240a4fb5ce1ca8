#!/usr/bin/env bash
# The page with a screen reader: Orca, then a chromium or a firefox-esr
# window on the page, on a virtual screen of their own with openbox, the
# session's and the accessibility bus. What Orca says (its debug log) is heard
# at each step: each diagram's count once, the buttons by name, and the words
# after End (QUILLET_ENDED, as the window's description gives them).
#   a11y.sh PAGE_FOLDER [chromium|firefox]
set -euo pipefail
folder=$1
browser=${2:-chromium}
here=$(dirname "$0")
# shellcheck source=../lib/orca.sh
. "$here/../lib/orca.sh"

startReaderSession
node "$here/../../web/serve.mjs" "$folder" >"$work/address" &
pids+=($!)
waitfor 60 grep -q http "$work/address" || fail "the page is not served"

# (AT-SPI calls a button a "push button" before version 2.50, as Debian 12
# has it, and a "button" since.)
said() { heard | grep -E -x "$1\.?" >/dev/null; }
# After a key: what is waited for said, then all said (Orca quiet for two seconds).
heardAfter() {
  waitfor 60 "${@:2}" || { tell >&2; fail "$1: Orca did not say it"; }
  quiet "$log" 2 || fail "Orca never fell quiet"
  echo "  after $1:"
  tell
}
toldOnce() { [ "$(counts)" = 1 ] || { tell >&2; fail "$1: the new diagram was told $(counts) times, not once"; }; }

startOrca
markSpeech
address=$(cat "$work/address")
case $browser in
  chromium)
    mapfile -t flags < <(node --input-type=module -e 'import { quietChromium } from "'"$here"'/browse.mjs"; console.log(quietChromium.join("\n"))')
    chromium "${flags[@]}" --user-data-dir="$work/chromium" "$address" >"$work/browser.log" 2>&1 &
    ;;
  firefox)
    # A new profile, its first-run pages and notices kept shut: the page is its only tab.
    mkdir -p "$work/firefox"
    printf 'user_pref("%s", %s);\n' browser.aboutwelcome.enabled false browser.shell.checkDefaultBrowser false \
      datareporting.policy.dataSubmissionPolicyBypassNotification true toolkit.telemetry.reportingpolicy.firstRun false \
      browser.startup.homepage_override.mstone '"ignore"' >"$work/firefox/user.js"
    firefox-esr --no-remote --profile "$work/firefox" "$address" >"$work/browser.log" 2>&1 &
    ;;
esac
pids+=($!)
heardAfter "the page's first run" toldNew
toldOnce "the first run"
pass "at start: the first diagram told once"

markSpeech
xdotool key alt+r
heardAfter "Alt+R" toldNew
toldOnce "Alt+R"
pass "Alt+R: a new diagram told once"

markSpeech
xdotool key Tab
heardAfter "Tab" said "End( push)? button"
markSpeech
xdotool key shift+Tab
heardAfter "Shift+Tab" said "Retry( push)? button"
pass "the buttons by name"

markSpeech
xdotool key alt+e
heardAfter "Alt+E" said "${QUILLET_ENDED%.}"
pass "Alt+E: $QUILLET_ENDED"
echo "a11y: all passed"
