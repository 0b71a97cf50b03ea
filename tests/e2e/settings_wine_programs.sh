#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# End to end: Tarvex's settings in the shared KelvoApps.ini, as a user and a person editing the
# file by hand meet them:
#   - a first start without the file opens the designed window and writes the designed values;
#   - a moved and resized window with a wider column is written back in key order, beside another
#     program's sections and a key added by hand, and the next start shows it again;
#   - on a screen of 144 dots per inch the stored sizes (96-dpi units) show half as large again,
#     and a close without changes stores the values it read;
#   - a hand-edited section (lower-case header, "0x0C", blanks, "yes") is read, clamped to the
#     screen and written back under the same header;
#   - the Ignore List dialog hides and shows WineMine and keeps [Tarvex Ignore] in step; Cancel
#     changes nothing;
#   - an unwritable file makes closing show "Unable to write to ..." and then ask whether to close
#     without saving: "No" keeps the window open, "Yes" ends Tarvex and leaves the file alone.
#
#   settings_wine_programs.sh <bin dir>    (the folder holding tarvex.exe and list_reader.exe)
#
# Exits 0 when it holds, 1 when not (with what was seen), 77 (ctest: skipped) when this host's
# Wine cannot run the build's architecture.
set -uo pipefail

source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine_session.sh"
e2e_session_start "$@"

ini="$WINEPREFIX/drive_c/windows/KelvoApps.ini"
ini_windows_path='C:\windows\KelvoApps.ini'
probe="$WINEPREFIX/drive_c/windows/tarvex-read-only-probe.ini"
probe_windows_path='C:\windows\tarvex-read-only-probe.ini'
tarvex_id=""
tarvex_before_close=""
read_only_by=""

dpi_key='HKCU\Control Panel\Desktop'
dpi_changed=""

# The screen's resolution for the programs started from now on (Wine's LogPixels).
set_screen_dpi() {
  wine_bounded reg add "$dpi_key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 ||
    fail "cannot set Wine's LogPixels to $1"
}

# The file and the prefix's resolution are shared by every test of the prefix: none of ours may
# outlive this one.
e2e_cleanup() {
  chattr -i "$ini" "$probe" 2>/dev/null
  rm -f "$ini" "$probe"
  if [ -n "$dpi_changed" ]; then
    "$TARVEX_WINE_BIN" reg delete "$dpi_key" /v LogPixels /f >/dev/null 2>&1
    tarvex_wine_stop
  fi
}

e2e_diagnostics() {
  echo "--- $ini:"
  if [ -f "$ini" ]; then tr -d '\r' <"$ini"; else echo "(no file)"; fi
  if [ -n "$tarvex_id" ] && window_exists "$tarvex_id"; then
    echo "--- Tarvex's window (X client area): $(client_geometry "$tarvex_id")"
    echo "--- Tarvex's columns:"
    wine_bounded "$reader" --columns 2>&1 | tr -d '\r'
  fi
}

# --- The file -------------------------------------------------------------------------------------

# Writes the lines as a file a Windows editor would save (CRLF).
write_ini() {
  printf '%s\r\n' "$@" >"$ini"
}

# The file's lines without CRs and blank lines: what is compared.
ini_lines() {
  [ -f "$ini" ] && tr -d '\r' <"$ini" | sed '/^[[:space:]]*$/d'
}

# The lines of a section (without its header), found without regard to case.
section_lines() {
  ini_lines | awk -v wanted="[$(echo "$1" | tr '[:upper:]' '[:lower:]')]" '
    /^\[/ { inside = (tolower($0) == wanted); next }
    inside { print }'
}

# The value of a key of the window section.
window_value() {
  section_lines "Tarvex Window" | sed -n "s/^$1=//p" | head -n1
}

# Fails with a diff unless the file holds exactly these lines (blank lines aside).
expect_ini() {
  local reason="$1"
  shift
  if [ "$(ini_lines)" != "$(printf '%s\n' "$@")" ]; then
    echo "--- expected file (blank lines aside) against the file as it is:"
    diff <(printf '%s\n' "$@") <(ini_lines)
    fail "$reason"
  fi
}

# --- The window -----------------------------------------------------------------------------------

window_exists() {
  wmctrl -l | grep -q "^$1 "
}

window_gone() {
  ! window_exists "$1"
}

# "<left> <top> <width> <height>" of the window's X client area, which Wine keeps at a fixed
# offset from the frame rectangle that Windows programs see.
client_geometry() {
  xwininfo -id "$1" 2>/dev/null | awk '
    /Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF }
    /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF }
    END { if (w != "") print x, y, w, h }'
}

# The frame rectangle as Tarvex sees it, from the client area and the offsets measured at the
# first start.
frame_of_client() {
  local x y w h
  read -r x y w h <<<"$1"
  echo "$((x - frame_dx)) $((y - frame_dy)) $((w + frame_dw)) $((h + frame_dh))"
}

client_of_frame() {
  local left top width height
  read -r left top width height <<<"$1"
  echo "$((left + frame_dx)) $((top + frame_dy)) $((width - frame_dw)) $((height - frame_dh))"
}

client_is() {
  [ "$(client_geometry "$tarvex_id")" = "$1" ]
}

# "<width 1> <width 2>" of the list's columns.
column_widths() {
  wine_bounded "$reader" --columns 2>/dev/null | tr -d '\r' | awk '{ printf "%s%s", sep, $3; sep = " " }'
}

columns_are() {
  [ "$(column_widths)" = "$1" ]
}

# Polls a condition for up to $1 seconds, else fails with the rest of the arguments as reason.
expect() {
  local seconds="$1" reason="$2"
  shift 2
  tarvex_wait_for "$seconds" "$@" || fail "$reason"
}

tarvex_runs() {
  wine_bounded "$reader" --pid-of tarvex.exe >/dev/null 2>&1
}

tarvex_ended() {
  ! tarvex_runs
}

start_tarvex() {
  tarvex_wine "$tarvex" >>"$logs/tarvex.log" 2>&1 &
  expect 20 "Tarvex's window did not appear" tarvex_windows
  tarvex_id="$(tarvex_windows | head -n1)"
  # The list answers once the first show, which applies the settings, has run.
  expect 10 "Tarvex's list did not answer" column_widths
}

# Closes the main window as its close box would and waits for the program to end.
close_tarvex() {
  wmctrl -i -c "$tarvex_id"
  expect 10 "Tarvex's window did not close" window_gone "$tarvex_id"
  expect 10 "Tarvex did not end after its window closed" tarvex_ended
}

# How far right of the client area's left edge Tarvex shows the first divider on screen.
divider_offset() {
  local divider
  divider="$(wine_bounded "$reader" --columns 2>/dev/null | tr -d '\r' | awk 'NR == 1 { print $4 }')"
  echo $((divider - $(client_geometry "$tarvex_id" | cut -d' ' -f1)))
}

moved_to() {
  [ "$(client_geometry "$tarvex_id" | cut -d' ' -f3-)" = "$1" ] && [ "$(divider_offset)" = "$2" ]
}

# Moves and resizes the window as a window manager does (<x> <y> <width> <height>), and waits
# until Tarvex itself knows the new place: its divider on screen follows the client area then.
move_tarvex() {
  local offset
  offset="$(divider_offset)"
  wmctrl -i -r "$tarvex_id" -e "0,$1,$2,$3,$4"
  expect 10 "the window did not take the new place and size $*" moved_to "$3 $4" "$offset"
}

press_in_tarvex() {
  xdotool windowactivate --sync "$tarvex_id" key --clearmodifiers "$1"
}

# --- Dialogs --------------------------------------------------------------------------------------

# The controls of a window, from list_reader --controls, into $logs/controls.
read_controls() {
  wine_bounded "$reader" --controls "$1" 2>"$logs/reader.err" | tr -d '\r' >"$logs/controls"
}

# Sets x and y to the middle of a control ("control" or "entry") with that text.
middle_of() {
  local left top right bottom
  read -r left top right bottom <<<"$(kind="$2" text="$3" awk -F'\t' '
    $1 == ENVIRON["kind"] && $2 "\t" $3 == ENVIRON["text"] { print $NF; exit }
    $1 == ENVIRON["kind"] && $2 == ENVIRON["text"] { print $NF; exit }' "$logs/controls")"
  [ -n "$bottom" ] || {
    cat "$logs/controls"
    fail "$1 has no $2 '$3'"
  }
  x=$(((left + right) / 2))
  y=$(((top + bottom) / 2))
}

click_in() {
  local x y id
  read_controls "$1" || fail "cannot read the controls of '$1': $(cat "$logs/reader.err")"
  middle_of "$1" "$2" "$3"
  id="$(window_titled "$1")" || fail "no window titled '$1'"
  xdotool windowactivate --sync "$id" mousemove --sync "$x" "$y" click 1
}

# The list box entries of the Ignore List dialog, one a line.
dialog_entries() {
  read_controls "Ignore List" && awk -F'\t' '$1 == "entry" { print $2 }' "$logs/controls"
}

# True when the dialog shows exactly these entries, in this order.
entries_are() {
  [ "$(dialog_entries)" = "$(printf '%s\n' "$@")" ]
}

no_entries() {
  read_controls "Ignore List" && ! grep -q $'^entry\t' "$logs/controls"
}

open_ignore_list() {
  press_in_tarvex ctrl+i
  expect 10 "Ctrl+I did not open the Ignore List dialog" window_titled "Ignore List"
}

# Adds an entry through A&dd and the input box, typed as the user would.
add_entry() {
  local box
  click_in "Ignore List" control $'Button\tA&dd'
  expect 10 "A&dd did not open the input box 'Add'" window_titled Add
  read_controls Add
  grep -q $'^control\tStatic\tCaption:\t' "$logs/controls" || {
    cat "$logs/controls"
    fail "the input box 'Add' does not ask 'Caption:'"
  }
  box="$(window_titled Add)"
  xdotool windowactivate --sync "$box" type --delay 20 "$1"
  xdotool key --clearmodifiers Return
  expect 10 "Enter did not close the input box" window_gone "$box"
}

close_ignore_list_with() {
  local dialog
  dialog="$(window_titled "Ignore List")"
  click_in "Ignore List" control $'Button\t'"$1"
  expect 10 "$1 did not close the Ignore List dialog" window_gone "$dialog"
}

# --- Reading the list -----------------------------------------------------------------------------

read_rows() {
  wine_bounded "$reader" 2>"$logs/reader.err" | tr -d '\r' | cut -f1 >"$logs/rows" &&
    grep -q 'list_reader: 1 Tarvex lists read' "$logs/reader.err"
}

rows_are() {
  read_rows && [ "$(sort "$logs/rows")" = "$(printf '%s\n' "$@" | sort)" ]
}

# =================================================================================================
# 1. First start without a settings file

rm -f "$ini"
start_tarvex
first_client="$(client_geometry "$tarvex_id")"
close_tarvex
designed=(
  "[Tarvex Window]" Left=192 Top=103 Width=321 Height=246 Column1=130 Column2=67
  MinimizeToTray=1 HotKeyCode=0
)
expect_ini "the first close did not write the designed values in key order" "${designed[@]}"
# Whatever the window manager adds, Wine keeps the client area at these offsets from the frame.
read -r x y w h <<<"$first_client"
frame_dx=$((x - 192))
frame_dy=$((y - 103))
frame_dw=$((321 - w))
frame_dh=$((246 - h))
echo "PASS: first start without KelvoApps.ini: the designed 192,103 321x246, columns 130 and 67," \
  "written in key order (X client area $first_client)"

# =================================================================================================
# 2. Another program's sections and a key added by hand survive a move, a resize and a column

write_ini "[Kelvo Clock]" "Alarm=7:00" "" "[Tarvex Window]" Left=100 Top=80 Width=400 Height=300 \
  Column1=150 Column2=90 Mine=kept MinimizeToTray=0 HotKeyCode=3 "" "[Kelvo Notes]" Font=Tahoma
start_tarvex
expect 5 "the window did not open at the stored 100,80 400x300" \
  client_is "$(client_of_frame "100 80 400 300")"
expect 5 "the columns did not open with the stored widths 150 and 90" columns_are "150 90"

move_tarvex 340 230 520 380
read -r _ _ _ divider_x divider_y <<<"$(wine_bounded "$reader" --columns | tr -d '\r' | head -n1)"
xdotool windowactivate --sync "$tarvex_id" mousemove --sync "$divider_x" "$divider_y" mousedown 1 \
  mousemove --sync $((divider_x + 20)) "$divider_y" mousemove --sync $((divider_x + 40)) "$divider_y" \
  mouseup 1
expect 5 "dragging the header divider 40 pixels did not widen the first column to 190" \
  columns_are "190 90"
moved_client="$(client_geometry "$tarvex_id")"
moved_frame="$(frame_of_client "$moved_client")"
read -r left top width height <<<"$moved_frame"
close_tarvex
moved_file=(
  "[Kelvo Clock]" "Alarm=7:00" "[Tarvex Window]" "Left=$left" "Top=$top" "Width=$width"
  "Height=$height" Column1=190 Column2=90 Mine=kept MinimizeToTray=0 HotKeyCode=3
  "[Kelvo Notes]" Font=Tahoma
)
expect_ini "closing did not write the moved window ($moved_frame), Column1=190 and the read \
options in place, beside the other sections and Mine=kept" "${moved_file[@]}"
echo "PASS: moved and resized to $moved_frame with Column1 190: written in key order; [Kelvo" \
  "Clock], [Kelvo Notes] and Mine=kept survive"

start_tarvex
expect 5 "the next start did not come back at $moved_frame (X client area $moved_client)" \
  client_is "$moved_client"
expect 5 "the next start did not show the columns 190 and 90" columns_are "190 90"
close_tarvex
expect_ini "a start and close without changes did not write the same file again" "${moved_file[@]}"
echo "PASS: the next start came back at $moved_frame with columns 190 and 90, and wrote the same"

# =================================================================================================
# 3. A screen of 144 dots per inch: sizes are stored in 96-dpi units

# Wine has one resolution for every monitor, read by each program at its start.
dpi_changed=yes
set_screen_dpi 144
at_144=("[Tarvex Window]" Left=100 Top=80 Width=401 Height=300 Column1=131 Column2=67
  MinimizeToTray=1 HotKeyCode=0)
write_ini "${at_144[@]}"
start_tarvex
expect 5 "at 144 dots per inch the stored columns 131 and 67 did not show as 197 and 101" \
  columns_are "197 101"
close_tarvex
expect_ini "at 144 dots per inch a close without changes did not store the values it read" \
  "${at_144[@]}"
wine_bounded reg delete "$dpi_key" /v LogPixels /f >/dev/null 2>&1
dpi_changed=""
echo "PASS: at 144 dots per inch Width=401, Column1=131 and Column2=67 showed as 197 and 101" \
  "columns, and a close without changes stored the same values"

# =================================================================================================
# 4. A section edited by hand

write_ini "[Kelvo Clock]" "Alarm=7:00" "[tarvex window]" "Left= -40 " Top=60 Width=400 Height=300 \
  Column1=140 Column2=70 MinimizeToTray=yes HotKeyCode=0x0C
start_tarvex
expect 5 "the window stored at left -40 did not open at left 0 (top 60, 400x300)" \
  client_is "$(client_of_frame "0 60 400 300")"
expect 5 "the columns did not open with the stored widths 140 and 70" columns_are "140 70"
close_tarvex
expect_ini "the hand-edited section was not written back in place as Left=0, MinimizeToTray=1, \
HotKeyCode=12 under its own header" \
  "[Kelvo Clock]" "Alarm=7:00" "[tarvex window]" Left=0 Top=60 Width=400 Height=300 Column1=140 \
  Column2=70 MinimizeToTray=1 HotKeyCode=12
echo "PASS: '[tarvex window]' with 'Left= -40 ', MinimizeToTray=yes and HotKeyCode=0x0C: opened at" \
  "left 0, written back as Left=0, MinimizeToTray=1, HotKeyCode=12 under the same header"

# =================================================================================================
# 5. The ignore list

notepad_title="Untitled - Notepad"
mine_title="WineMine"
tarvex_wine notepad >"$logs/notepad.log" 2>&1 &
tarvex_wine winemine >"$logs/winemine.log" 2>&1 &
expect 20 "notepad did not open its window" window_titled "$notepad_title"
expect 20 "winemine did not open its window" window_titled "$mine_title"
start_tarvex
expect 10 "Tarvex does not list exactly notepad and winemine" rows_are "$notepad_title" "$mine_title"

open_ignore_list
read_controls "Ignore List"
for button in "A&dd" "&Modify" "Remo&ve" "OK" "Cancel"; do
  grep -q $'^control\tButton\t'"$button"$'\t' "$logs/controls" || {
    cat "$logs/controls"
    fail "the Ignore List dialog has no button '$button'"
  }
done
no_entries || fail "the Ignore List dialog does not open empty: $(dialog_entries | paste -sd,)"
add_entry "  winemine  "
expect 5 "adding '  winemine  ' did not give the one entry 'winemine'" entries_are winemine
close_ignore_list_with OK
expect 10 "after OK the list still shows WineMine, or lost notepad" rows_are "$notepad_title"
[ "$(section_lines "Tarvex Ignore")" = "1=winemine" ] ||
  fail "after OK [Tarvex Ignore] does not hold just 1=winemine"
echo "PASS: Ctrl+I, A&dd '  winemine  ', OK: WineMine left the list and [Tarvex Ignore] holds" \
  "1=winemine"

cp "$ini" "$logs/ini-before-cancel"
open_ignore_list
expect 5 "the dialog does not show the entry 'winemine'" entries_are winemine
add_entry "$notepad_title"
add_entry WINEMINE
expect 5 "the dialog does not show 'Untitled - Notepad' and 'winemine' (and no 'WINEMINE')" \
  entries_are "$notepad_title" winemine
click_in "Ignore List" entry winemine
click_in "Ignore List" control $'Button\tRemo&ve'
expect 5 "Remo&ve did not leave just 'Untitled - Notepad'" entries_are "$notepad_title"
close_ignore_list_with Cancel
press_in_tarvex F5
sleep 1
expect 10 "after Cancel and F5 the list does not still show just notepad" rows_are "$notepad_title"
cmp -s "$ini" "$logs/ini-before-cancel" || {
  diff <(tr -d '\r' <"$logs/ini-before-cancel") <(tr -d '\r' <"$ini")
  fail "Cancel changed KelvoApps.ini"
}
echo "PASS: an add, a refused duplicate and a removal, then Cancel: file and list unchanged"

open_ignore_list
click_in "Ignore List" entry winemine
click_in "Ignore List" control $'Button\tRemo&ve'
expect 5 "Remo&ve did not empty the dialog's list" no_entries
close_ignore_list_with OK
expect 10 "after removing winemine and OK the list does not show WineMine again" \
  rows_are "$notepad_title" "$mine_title"
if ini_lines | grep -qix '\[tarvex ignore\]'; then
  fail "after the last entry was removed and OK, [Tarvex Ignore] is still in the file"
fi
echo "PASS: Ctrl+I, Remo&ve winemine, OK: WineMine is listed again and [Tarvex Ignore] is gone"
close_tarvex

# =================================================================================================
# 6. A settings file that cannot be written

# Wine maps the read-only attribute to the file's mode bits, which do not stop root; the
# immutable flag stops everyone. Each is tried on a scratch file first.
write_refused() {
  printf '[Probe]\r\n' >"$probe"
  "$@"
  wine_bounded cmd /c "echo written >>$probe_windows_path" >/dev/null 2>&1
  local refused=no
  grep -q written "$probe" || refused=yes
  chattr -i "$probe" 2>/dev/null
  wine_bounded cmd /c "attrib -r $probe_windows_path" >/dev/null 2>&1
  rm -f "$probe"
  [ "$refused" = yes ]
}
set_read_only_attribute() {
  wine_bounded cmd /c "attrib +r $1" >/dev/null 2>&1
}
set_immutable() {
  chattr +i "$1" 2>/dev/null
}
if write_refused set_read_only_attribute "$probe_windows_path"; then
  read_only_by="the read-only attribute"
elif write_refused set_immutable "$probe"; then
  read_only_by="the immutable flag (Wine lets root write over the read-only attribute)"
else
  echo "SKIP: nothing makes a write fail under Wine here (neither 'attrib +r' nor 'chattr +i'" \
    "stops $(id -un)): the unwritable file is not tested"
fi

make_unwritable() {
  if [ "$read_only_by" = "the read-only attribute" ]; then
    set_read_only_attribute "$ini_windows_path"
  else
    set_immutable "$ini"
  fi
}
make_writable() {
  chattr -i "$ini"
  wine_bounded cmd /c "attrib -r $ini_windows_path" >/dev/null 2>&1
}
# The box that asks to close without saving carries the program's title, as the main window and
# its taskbar entry do: it is the one that was not there before the close.
question_box() {
  tarvex_all_windows | grep -vxF -f <(printf '%s\n' "$tarvex_before_close") | head -n1 | grep .
}
# Closes the main window while the file is unwritable: the box 'Error' says why, Enter dismisses
# it, and the question comes up; $1 is the key that answers it.
close_unwritable_and_answer() {
  tarvex_before_close="$(tarvex_all_windows)"
  wmctrl -i -c "$tarvex_id"
  expect 10 "closing with an unwritable file did not show the box 'Error'" window_titled Error
  read_controls Error
  message="Unable to write to $ini_windows_path" awk -F'\t' '
    $1 == "control" && $2 == "Static" && $3 == ENVIRON["message"] { found = 1 }
    END { exit !found }' "$logs/controls" || {
    cat "$logs/controls"
    fail "the box 'Error' does not say 'Unable to write to $ini_windows_path'"
  }
  window_exists "$tarvex_id" || fail "the main window closed although the settings were not written"
  cmp -s "$ini" "$logs/ini-read-only" || fail "the unwritable file changed"
  local box
  box="$(window_titled Error)"
  xdotool windowactivate --sync "$box" key --clearmodifiers Return
  expect 10 "Enter did not dismiss the box 'Error'" window_gone "$box"
  expect 10 "no question to close without saving followed the box 'Error'" question_box
  box="$(question_box)"
  xdotool windowactivate --sync "$box" key --clearmodifiers "$1"
  expect 10 "'$1' did not answer the question to close without saving" window_gone "$box"
}

if [ -n "$read_only_by" ]; then
  start_tarvex
  make_unwritable
  # A new place, so that the write after the failed one has something to show.
  move_tarvex 120 140 400 300
  read -r left top _ _ <<<"$(frame_of_client "$(client_geometry "$tarvex_id")")"
  cp "$ini" "$logs/ini-read-only"
  close_unwritable_and_answer n
  window_exists "$tarvex_id" || fail "'No' to closing without saving closed the main window"
  echo "PASS: with $read_only_by on KelvoApps.ini, closing showed 'Unable to write to" \
    "$ini_windows_path', asked to close without saving, and 'No' kept the window open"

  make_writable
  close_tarvex
  [ "$(window_value Left) $(window_value Top)" = "$left $top" ] ||
    fail "closing once the file was writable again did not write the window's place $left,$top"
  echo "PASS: once the file was writable again, closing ended Tarvex and wrote its place" \
    "$left,$top"

  start_tarvex
  make_unwritable
  move_tarvex 160 180 400 300
  cp "$ini" "$logs/ini-read-only"
  close_unwritable_and_answer y
  expect 10 "'Yes' to closing without saving did not close the window" window_gone "$tarvex_id"
  expect 10 "Tarvex did not end after 'Yes' to closing without saving" tarvex_ended
  cmp -s "$ini" "$logs/ini-read-only" || fail "closing without saving changed the file"
  make_writable
  echo "PASS: 'Yes' to closing without saving ended Tarvex and left KelvoApps.ini as it was"
fi
