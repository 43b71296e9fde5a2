#!/usr/bin/env bash
# Confirming the restart after a successful repair. The forced restart ends
# every process of the Wine session, the driver with it, so the verdict is
# given here, from outside the session:
#   - the driver saw the feedback window and answered it,
#   - the answer (one CustomerFeedbackEx, kind 1, device text 1) reached the
#     journal before the session went away,
#   - the session did end (the driver never got to note that it survived),
#   - no clean-up ran: the program is still in its folder.
#   restart-scenario.sh <path of e2e_stellwick.exe>
set -uo pipefail
driver=$1
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$top/scripts/wine-env"
stellwick_wine_prepare
trap 'stellwick_stop_xvfb; rm -rf "$work"' EXIT
work=$(mktemp -d)
markers=$work/markers.txt
: >"$markers"

E2E_RESTART_MARKERS=$markers timeout 240 wine "$driver" --gtest_also_run_disabled_tests \
  --gtest_filter='RestartScenario.*' >"$work/driver.log" 2>&1
echo "driver exit code $?"
timeout 60 wineserver -w

journal=$WINEPREFIX/drive_c/ProgramData/TorvaneFeedback/journal.txt
failures=0
check() {
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
  else
    echo "FAILED: $what"
    failures=$((failures + 1))
  fi
}
has_marker() { grep -qx "$1" "$markers"; }
no_marker_like() { ! grep -q "^$1" "$markers"; }
not_finished() { ! grep -q 'tests\? from .* ran\.' "$work/driver.log"; }
one_solved_report() {
  [ -f "$journal" ] &&
    [ "$(tr -d '\r' <"$journal" | grep -cE '^CustomerFeedbackEx 10009 1\.8\.22\.1024 1 [0-9]+ 1$')" = 1 ] &&
    [ "$(tr -d '\r' <"$journal" | grep -c '^CustomerFeedbackEx')" = 1 ]
}

check "the feedback window showed after the restart was confirmed" has_marker feedback-shown
check "the answer was being given" has_marker answering
check "nothing was reported before the answer" no_marker_like "failed:"
check "the answer reached the journal" one_solved_report
check "the session ended (the driver did not survive the restart)" no_marker_like "survived"
# Ended from outside, the driver never gets to print its summary.
check "the driver was ended rather than finishing" not_finished
check "no clean-up ran: the program is still in its folder" \
  test -f "$WINEPREFIX/drive_c/stellwick-e2e/restart/Stellwick.exe"

if [ $failures -ne 0 ]; then
  echo "--- markers"
  cat "$markers"
  echo "--- driver output"
  tail -n 60 "$work/driver.log"
  echo "--- journal"
  cat "$journal" 2>/dev/null
  exit 1
fi
echo "restart scenario: all checks passed"
