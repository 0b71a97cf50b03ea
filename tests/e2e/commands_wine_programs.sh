#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# End to end: Tarvex's commands, driven with keys and clicks as a user would, act on Wine's
# notepad (one with unsaved text, one with a file) and winemine:
#   - the status counters follow check boxes clicked and the row selected;
#   - Ctrl+M minimizes and Ctrl+R restores exactly the checked applications;
#   - Ctrl+A checks and Ctrl+Shift+A unchecks every row;
#   - Ctrl+T closes winemine, while notepad asks to save and stays listed;
#   - F2 does nothing without a selected row, and brings the selected application, minimized
#     before, to the foreground.
#
#   commands_wine_programs.sh <bin dir>    (the folder holding tarvex.exe and list_reader.exe)
#
# Exits 0 when it holds, 1 when not (with what was seen), 77 (ctest: skipped) when this host's
# Wine cannot run the build's architecture.
set -uo pipefail

source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine_session.sh"
e2e_session_start "$@"

unsaved_title="Untitled - Notepad"
file_name="tarvex-commands-$$.txt"
file_title="$file_name - Notepad"
mine_title="WineMine"
file_path="$WINEPREFIX/drive_c/$file_name"

e2e_cleanup() {
  rm -f "$file_path"
}

e2e_diagnostics() {
  echo "--- status panels:"
  wine_bounded "$reader" --status 2>&1 | tr -d '\r'
  echo "--- window states:"
  new_windows | while read -r id title; do echo "$id $(window_state "$id") $title"; done
  echo "--- active window: $(xdotool getactivewindow getwindowname 2>&1)"
}

# --- Reading what the user sees -----------------------------------------------------------------

# Rows as "<caption>\t<pid>\t<checked 0/1>\t<selected 0/1>", into $logs/rows.
read_rows() {
  wine_bounded "$reader" 2>"$logs/reader.err" | tr -d '\r' >"$logs/rows" &&
    grep -q 'list_reader: 1 Tarvex lists read' "$logs/reader.err"
}

# Sets row to the 0-based row of a caption in the rows read last.
row_of() {
  local index
  index="$(cut -f1 "$logs/rows" | grep -n -m1 -x -F "$1" | cut -d: -f1)"
  [ -n "$index" ] || fail "no row '$1' in Tarvex's list"
  row=$((index - 1))
}

captions_where() {
  awk -F'\t' -v column="$1" '$column == 1 { print $1 }' "$logs/rows" | sort
}

sorted_lines() {
  printf '%s\n' "$@" | sed '/^$/d' | sort
}

# True when the list shows exactly these captions, in any order.
rows_are() {
  read_rows && [ "$(cut -f1 "$logs/rows" | sort)" = "$(sorted_lines "$@")" ]
}

# True when exactly these captions are checked.
checked_are() {
  read_rows && [ "$(captions_where 3)" = "$(sorted_lines "$@")" ]
}

# True when the counters panel ("<selected>: <rows>: <checked>") matches the regular expression.
counters_read() {
  local counters
  counters="$(wine_bounded "$reader" --status 2>/dev/null | tr -d '\r' | head -n1)"
  echo "$counters" >"$logs/counters"
  [[ "$counters" =~ ^$1$ ]]
}

window_state() {
  xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/^[[:space:]]*window state: //p'
}

state_is() {
  [ "$(window_state "$1")" = "$2" ]
}

window_exists() {
  wmctrl -l | grep -q "^$1 "
}

window_gone() {
  ! window_exists "$1"
}

is_active() {
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$(($1))" ]
}

# Polls a condition for up to $1 seconds, else fails with the rest of the arguments as reason.
expect() {
  local seconds="$1" reason="$2"
  shift 2
  tarvex_wait_for "$seconds" "$@" || fail "$reason"
}

expect_counters() {
  tarvex_wait_for 5 counters_read "$1" ||
    fail "status counters read '$(cat "$logs/counters")', expected '$1'"
}

# --- Acting as the user ---------------------------------------------------------------------------

press_in_tarvex() {
  xdotool windowactivate --sync "$tarvex_id" key --clearmodifiers "$1"
}

# Clicks a row's check box ("check") or its caption ("label"), located from the list's own
# rectangles in screen coordinates.
click_row() {
  local part="$2" rect left top right bottom x
  row_of "$1"
  rect="$(wine_bounded "$reader" --row-rect "$row" 2>"$logs/reader.err" | tr -d '\r')" ||
    fail "cannot read the rectangle of row $row: $(cat "$logs/reader.err")"
  if [ "$part" = check ]; then
    read -r _ left top right bottom <<<"$(grep '^row ' <<<"$rect")"
    x=$((left + 8)) # the check box is the state image at the row's left edge
  else
    read -r _ left top right bottom <<<"$(grep '^label ' <<<"$rect")"
    x=$(((left + right) / 2))
  fi
  xdotool windowactivate --sync "$tarvex_id" mousemove --sync "$x" $(((top + bottom) / 2)) click 1
}

# --- The programs ---------------------------------------------------------------------------------

tarvex_wine notepad >"$logs/notepad-unsaved.log" 2>&1 &
expect 20 "notepad did not open its window" window_titled "$unsaved_title"
unsaved_id="$(window_titled "$unsaved_title")"
xdotool windowactivate --sync "$unsaved_id" type --delay 20 "Text nobody saved"

echo "The second notepad opens this file." >"$file_path"
tarvex_wine notepad "C:\\$file_name" >"$logs/notepad-file.log" 2>&1 &
tarvex_wine winemine >"$logs/winemine.log" 2>&1 &
expect 20 "the second notepad did not open its window" window_titled "$file_title"
expect 20 "winemine did not open its window" window_titled "$mine_title"
file_id="$(window_titled "$file_title")"
mine_id="$(window_titled "$mine_title")"

tarvex_wine "$tarvex" >"$logs/tarvex.log" 2>&1 &
expect 20 "Tarvex's window did not appear" tarvex_windows
tarvex_id="$(tarvex_windows | head -n1)"
all_titles=("$unsaved_title" "$file_title" "$mine_title")
expect 10 "Tarvex does not list exactly the three programs" rows_are "${all_titles[@]}"
expect_counters "0: 3: 0"
echo "PASS: three rows, none checked or selected: the counters read 0: 3: 0"

# --- Check all, uncheck all; F2 without a selected row does nothing ---------------------------

# Keys are handled in turn: once Ctrl+A has checked the rows, F2 before it has run.
press_in_tarvex F2
press_in_tarvex ctrl+a
expect 5 "Ctrl+A did not check every row" checked_are "${all_titles[@]}"
expect_counters "0: 3: 3"
is_active "$tarvex_id" || fail "F2 switched away from Tarvex while no row was selected"
press_in_tarvex ctrl+shift+a
expect 5 "Ctrl+Shift+A did not uncheck every row" checked_are
expect_counters "0: 3: 0"
echo "PASS: Ctrl+A checked all three rows, Ctrl+Shift+A unchecked them; F2 before, with no" \
  "row selected, did nothing"

# --- Check boxes, selection and counters ----------------------------------------------------------

click_row "$mine_title" check
click_row "$file_title" check
expect 5 "clicking two check boxes did not check exactly winemine and the file's notepad" \
  checked_are "$mine_title" "$file_title"
expect_counters "0: 3: 2"
read_rows
third_title="$(sed -n 3p "$logs/rows" | cut -f1)"
click_row "$third_title" label
expect_counters "3: 3: 2"
expect 5 "a click on the third row's caption did not select it, or changed a check mark" \
  checked_are "$mine_title" "$file_title"
[ "$(captions_where 4)" = "$third_title" ] || fail "the third row, $third_title, is not selected"
echo "PASS: two check boxes clicked and the third row selected: the counters read 3: 3: 2"

# --- Minimize and restore the checked applications ------------------------------------------------

press_in_tarvex ctrl+m
expect 10 "Ctrl+M did not minimize winemine" state_is "$mine_id" Iconic
expect 10 "Ctrl+M did not minimize the file's notepad" state_is "$file_id" Iconic
state_is "$unsaved_id" Normal || fail "Ctrl+M minimized the unchecked notepad"
state_is "$tarvex_id" Normal || fail "Ctrl+M minimized Tarvex itself"
checked_are "$mine_title" "$file_title" || fail "Ctrl+M changed the check marks"
echo "PASS: Ctrl+M minimized exactly the two checked applications"

press_in_tarvex ctrl+r
expect 10 "Ctrl+R did not restore winemine" state_is "$mine_id" Normal
expect 10 "Ctrl+R did not restore the file's notepad" state_is "$file_id" Normal
state_is "$unsaved_id" Normal || fail "Ctrl+R changed the unchecked notepad"
checked_are "$mine_title" "$file_title" || fail "Ctrl+R changed the check marks"
echo "PASS: Ctrl+R restored them, and the check marks stayed"

# --- Terminate: winemine closes, the notepad with unsaved text asks ------------------------------

prompt_titled() {
  window_titled Notepad
}

press_in_tarvex ctrl+shift+a
expect 5 "Ctrl+Shift+A did not uncheck every row" checked_are
click_row "$mine_title" check
click_row "$unsaved_title" check
expect 5 "clicking the check boxes of winemine and the unsaved notepad did not check them" \
  checked_are "$mine_title" "$unsaved_title"
press_in_tarvex ctrl+t
expect 10 "Ctrl+T did not close winemine" window_gone "$mine_id"
expect 10 "Ctrl+T did not make notepad ask to save its text" prompt_titled
prompt_id="$(prompt_titled)"
window_exists "$unsaved_id" || fail "the notepad with unsaved text closed without asking"
window_exists "$file_id" || fail "Ctrl+T closed the unchecked notepad"
expect 5 "the list kept check marks after Ctrl+T" checked_are
expect_counters "0: [23]: 0"
press_in_tarvex F5
expect 10 "after Ctrl+T and F5 the list does not show exactly the two notepads" \
  rows_are "$unsaved_title" "$file_title"
expect_counters "0: 2: 0"
echo "PASS: Ctrl+T closed winemine; notepad asked to save, stayed open and listed"

xdotool windowactivate --sync "$prompt_id" key Escape
expect 10 "Escape did not close notepad's save prompt" window_gone "$prompt_id"
window_exists "$unsaved_id" || fail "cancelling the save prompt closed notepad"
echo "PASS: Escape cancelled the save prompt and notepad stayed open"

# --- Switch to the selected application -----------------------------------------------------------

xdotool windowminimize --sync "$file_id"
expect 10 "the file's notepad did not minimize" state_is "$file_id" Iconic
read_rows
click_row "$file_title" label
expect_counters "$((row + 1)): 2: 0"
press_in_tarvex F2
expect 10 "F2 did not restore the selected notepad" state_is "$file_id" Normal
expect 10 "F2 did not bring the selected notepad to the foreground" is_active "$file_id"
echo "PASS: F2 restored the selected notepad and made it the active window"
