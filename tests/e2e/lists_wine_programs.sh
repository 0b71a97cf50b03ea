#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR/../../scripts/lib
# End to end: two copies of Tarvex list Wine's notepad and winemine with their real process ids,
# and neither lists itself or the other copy.
#
#   lists_wine_programs.sh <bin dir>    (the folder holding tarvex.exe and list_reader.exe)
#
# Exits 0 when it holds, 1 when not (with what was seen), 77 (ctest: skipped) when this host's
# Wine cannot run the build's architecture.
set -uo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../../scripts/lib/virtual-display.sh"
source "$here/../../scripts/lib/wine-env.sh"

if [ $# -ne 1 ]; then
  echo "usage: $0 <bin dir>" >&2
  exit 2
fi
tarvex="$1/tarvex.exe"
reader="$1/list_reader.exe"
for program in "$tarvex" "$reader"; do
  if [ ! -f "$program" ]; then
    echo "FAIL: $program does not exist (build that folder first)"
    exit 1
  fi
done

tarvex_wine_pick_loader || exit 1
if ! tarvex_wine_can_run "$tarvex"; then
  echo "skipped: this host's Wine cannot run $tarvex (32-bit support: $TARVEX_WINE_32BIT)"
  exit 77
fi

logs="$(mktemp -d "${TMPDIR:-/tmp}/tarvex-e2e.XXXXXX")"
windows_before=""

# Windows that appeared since we started, as "<id> <title>" lines.
new_windows() {
  wmctrl -l | sed -E 's/^(0x[0-9a-f]+) +-?[0-9]+ +[^ ]+ /\1 /' |
    grep -v -F -x -f <(printf '%s\n' "$windows_before") || true
}

new_window_titled() {
  new_windows | sed -E 's/^0x[0-9a-f]+ //' | grep -m1 -E "$1"
}

programs_opened() {
  new_window_titled 'Notepad' >/dev/null && new_window_titled '^WineMine$' >/dev/null
}

tarvex_windows() {
  new_windows | grep ' Tarvex 1.0$' | cut -d' ' -f1
}

two_tarvex_windows() {
  [ "$(tarvex_windows | wc -l)" -ge 2 ]
}

no_tarvex_window() {
  [ -z "$(tarvex_windows)" ]
}

cleanup() {
  local id
  if [ -n "${DISPLAY:-}" ]; then
    # Politely first, so that Tarvex's own shutdown runs; the wineserver ends the rest.
    for id in $(new_windows | cut -d' ' -f1); do wmctrl -i -c "$id" 2>/dev/null; done
    tarvex_wait_for 5 no_tarvex_window ||
      echo "note: a Tarvex window stayed open after a polite close"
  fi
  tarvex_wine_stop
  tarvex_display_stop
  rm -rf "$logs"
}
trap cleanup EXIT
trap 'exit 143' TERM
trap 'exit 130' INT

fail() {
  local shot log
  echo "FAIL: $*"
  echo "--- rows read from the Tarvex lists:"
  cat "$logs/rows" 2>/dev/null
  echo "--- windows on $DISPLAY:"
  wmctrl -lp
  for log in "$logs"/*.log; do
    [ -s "$log" ] && echo "--- output of $(basename "$log" .log):" && tail -n 20 "$log"
  done
  shot="$TARVEX_ROOT/build/screenshots/e2e-failure-$(date +%Y%m%d-%H%M%S).png"
  mkdir -p "$(dirname "$shot")" && import -window root "$shot" && echo "--- screen: $shot"
  exit 1
}

wine_bounded() {
  timeout --kill-after=5 30 "$TARVEX_WINE_BIN" "$@"
}

tarvex_display_ensure --managed || exit 1
tarvex_wine_env || exit 1
tarvex_wine_lock_session || exit 1
windows_before="$(wmctrl -l | sed -E 's/^(0x[0-9a-f]+) +-?[0-9]+ +[^ ]+ /\1 /')"

# Sets pid to the one process id of a running image, from the system's process snapshot.
pid_of() {
  pid="$(wine_bounded "$reader" --pid-of "$1" | tr -d '\r')"
  if [ -z "$pid" ] || [ "$(echo "$pid" | wc -l)" -ne 1 ]; then
    fail "expected one process $1, found '${pid//$'\n'/ }'"
  fi
}

read_lists() {
  wine_bounded "$reader" 2>"$logs/reader.err" | tr -d '\r' >"$logs/rows"
}

lists_read() {
  grep -q "list_reader: $tarvex_copies Tarvex lists read" "$logs/reader.err"
}

times_listed() {
  grep -c -x -F "$1" "$logs/rows"
}

# True when each row ("<caption>\t<pid>") is in every list and no list shows a Tarvex window.
lists_show() {
  local row
  lists_read || return 1
  for row; do [ "$(times_listed "$row")" -eq "$tarvex_copies" ] || return 1; done
  ! grep -q $'^Tarvex 1.0\t' "$logs/rows"
}

press_f5_in_tarvex() {
  local id
  for id in $(tarvex_windows); do xdotool windowactivate --sync "$id" key F5; done
}

# Reads the lists for up to 10 s until they show the rows; a list may lag behind its window,
# and F5 asks for a fresh pass halfway through. Fails the test with what was seen.
expect_lists_show() {
  local attempt row
  for attempt in $(seq 1 20); do
    read_lists && lists_show "$@" && return 0
    [ "$attempt" -ne 10 ] || press_f5_in_tarvex
    sleep 0.5
  done
  cat "$logs/reader.err"
  lists_read || fail "list_reader did not read the lists of all $tarvex_copies Tarvex windows"
  for row; do
    [ "$(times_listed "$row")" -eq "$tarvex_copies" ] ||
      fail "row '${row/$'\t'/ | }' is in $(times_listed "$row") lists, expected in each of" \
        "$tarvex_copies"
  done
  fail "a Tarvex list shows a Tarvex window (itself or the other copy)"
}

tarvex_wine notepad >"$logs/notepad.log" 2>&1 &
tarvex_wine winemine >"$logs/winemine.log" 2>&1 &
tarvex_wait_for 20 programs_opened || fail "notepad and winemine did not open their windows"
pid_of notepad.exe
notepad_row="$(new_window_titled 'Notepad')"$'\t'"$pid"
pid_of winemine.exe
winemine_row="$(new_window_titled '^WineMine$')"$'\t'"$pid"

tarvex_copies=2
tarvex_wine "$tarvex" >"$logs/tarvex-1.log" 2>&1 &
tarvex_wine "$tarvex" >"$logs/tarvex-2.log" 2>&1 &
tarvex_wait_for 20 two_tarvex_windows || fail "two Tarvex windows did not appear"
expect_lists_show "$notepad_row" "$winemine_row"
echo "PASS: both Tarvex lists show ${notepad_row/$'\t'/ | } and ${winemine_row/$'\t'/ | }," \
  "and no Tarvex window"

# A program started later shows up after a refresh.
tarvex_wine regedit >"$logs/regedit.log" 2>&1 &
tarvex_wait_for 20 new_window_titled '^Registry Editor$' || fail "regedit did not open its window"
pid_of regedit.exe
regedit_row="Registry Editor"$'\t'"$pid"
press_f5_in_tarvex
expect_lists_show "$notepad_row" "$winemine_row" "$regedit_row"
echo "PASS: after F5 both lists also show ${regedit_row/$'\t'/ | }"
