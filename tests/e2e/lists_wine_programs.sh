#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# End to end: two copies of Tarvex list Wine's notepad and winemine with their real process ids,
# and neither lists itself or the other copy; after F5 a window renamed from outside shows its new
# caption, also one outside the code page, whole, and one renamed to a caption on the ignore list
# leaves the lists.
#
#   lists_wine_programs.sh <bin dir>    (the folder holding tarvex.exe and list_reader.exe)
#
# Exits 0 when it holds, 1 when not (with what was seen), 77 (ctest: skipped) when this host's
# Wine cannot run the build's architecture.
set -uo pipefail

source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine_session.sh"
e2e_session_start "$@"

programs_opened() {
  new_window_titled 'Notepad' >/dev/null && new_window_titled '^WineMine$' >/dev/null
}

two_tarvex_windows() {
  [ "$(tarvex_windows | wc -l)" -ge 2 ]
}

# Keeps caption and process id of each row; the check and selection marks play no part here.
read_lists() {
  wine_bounded "$reader" 2>"$logs/reader.err" | tr -d '\r' | cut -f1,2 >"$logs/rows"
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

# Reads the lists for up to 10 s until no list shows the row; F5 halfway, as above.
expect_lists_lack() {
  local attempt
  for attempt in $(seq 1 20); do
    read_lists && lists_read && ! grep -q -x -F "$1" "$logs/rows" && return 0
    [ "$attempt" -ne 10 ] || press_f5_in_tarvex
    sleep 0.5
  done
  fail "a Tarvex list still shows '${1/$'\t'/ | }'"
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

ignored_caption="Mines put away"
printf '[Tarvex Ignore]\r\n1=%s\r\n' "$ignored_caption" >"$WINEPREFIX/drive_c/windows/KelvoApps.ini"

tarvex_copies=2
tarvex_wine "$tarvex" >"$logs/tarvex-1.log" 2>&1 &
tarvex_wine "$tarvex" >"$logs/tarvex-2.log" 2>&1 &
tarvex_wait_for 20 two_tarvex_windows || fail "two Tarvex windows did not appear"
expect_lists_show "$notepad_row" "$winemine_row"
echo "PASS: both Tarvex lists show ${notepad_row/$'\t'/ | } and ${winemine_row/$'\t'/ | }," \
  "and no Tarvex window"

# A program started later shows up after a refresh, with its caption exactly as it has it, also
# outside the code page (Cyrillic, a symbol, CJK), as a browser or editor titles its windows.
tarvex_wine regedit >"$logs/regedit.log" 2>&1 &
tarvex_wait_for 20 new_window_titled '^Registry Editor$' || fail "regedit did not open its window"
pid_of regedit.exe
unicode_title="Заметки ✓ 東京"
title_hex="$(printf '%s' "$unicode_title" | od -An -tx1 | tr -d ' \n')"
wine_bounded "$reader" --retitle "Registry Editor" "$title_hex" ||
  fail "regedit's window could not be retitled"
regedit_row="$unicode_title"$'\t'"$pid"
press_f5_in_tarvex
expect_lists_show "$notepad_row" "$winemine_row" "$regedit_row"
echo "PASS: after F5 both lists also show ${regedit_row/$'\t'/ | }"

# Renamed from outside, winemine shows its new caption after F5, under the same process.
renamed_row="Mines at work"$'\t'"${winemine_row#*$'\t'}"
wine_bounded "$reader" --rename WineMine "Mines at work" 2>"$logs/rename.err" ||
  fail "could not rename WineMine: $(cat "$logs/rename.err")"
press_f5_in_tarvex
expect_lists_show "$notepad_row" "$renamed_row" "$regedit_row"
expect_lists_lack "$winemine_row"
echo "PASS: after F5 both lists show ${renamed_row/$'\t'/ | } instead of ${winemine_row/$'\t'/ | }"

# Renamed to a caption on the ignore list, it leaves the lists.
wine_bounded "$reader" --rename "Mines at work" "$ignored_caption" 2>"$logs/rename.err" ||
  fail "could not rename winemine again: $(cat "$logs/rename.err")"
press_f5_in_tarvex
expect_lists_lack "$renamed_row"
lists_show "$notepad_row" "$regedit_row" || fail "a list lost notepad or regedit"
if grep -q -F "$ignored_caption" "$logs/rows"; then fail "a list shows the ignored caption"; fi
echo "PASS: renamed to '$ignored_caption', which is ignored, winemine left both lists"
