#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# End to end: Tarvex's tray icon, minimize-to-tray, options dialog and global hot key, as a user
# meets them with Wine's notepad open and no settings file:
#   - minimizing the main window hides it and the taskbar entry and puts the icon in the tray;
#   - "Restore" from the icon's menu, or a double click on the icon, brings the window and the
#     taskbar entry back, the icon stays;
#   - Options: "Hot key" F8, OK; with notepad in front F8 makes Tarvex the foreground window, both
#     while it is shown and while it is in the tray;
#   - "Exit" from the icon's menu ends Tarvex, removes the icon and writes HotKeyCode=8.
#
#   tray_wine_programs.sh <bin dir>    (the folder holding tarvex.exe and list_reader.exe)
#
# The tray: on a display without an XEmbed tray host, Wine's explorer shows the icons in its own
# window "Wine System Tray", a row of 20-pixel slots that exists only while an icon does. The test
# starts a display of its own, so that no host on the caller's display takes the icon away.
#
# Exits 0 when it holds, 1 when not (with what was seen), 77 (ctest: skipped) when this host's
# Wine cannot run the build's architecture.
set -uo pipefail

export TARVEX_VIRTUAL_DISPLAY=1
source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine_session.sh"
e2e_session_start "$@"

ini="$WINEPREFIX/drive_c/windows/KelvoApps.ini"
tray_title="Wine System Tray"
tray_slot=20 # a small icon (16) with a border of 2 on each side
notepad_title="Untitled - Notepad"
tarvex_id=""

e2e_cleanup() {
  rm -f "$ini"
}

e2e_diagnostics() {
  echo "--- Tarvex's top-level windows (kind visible iconic width height):"
  wine_bounded "$reader" --windows 2>&1 | tr -d '\r'
  echo "--- popup menus open:"
  wine_bounded "$reader" --menu 2>&1 | tr -d '\r'
  echo "--- taskbar entries titled 'Tarvex 1.0': $(taskbar_entries | paste -sd' ')"
  [ -n "$tarvex_id" ] && echo "--- main window $tarvex_id: $(map_state "$tarvex_id")," \
    "X's active window $(active_window), Win32's foreground window '$(foreground)'"
  echo "--- controls last read:"
  cat "$logs/controls" 2>/dev/null
  echo "--- $ini:"
  if [ -f "$ini" ]; then tr -d '\r' <"$ini"; else echo "(no file)"; fi
}

expect() {
  local seconds="$1" reason="$2"
  shift 2
  tarvex_wait_for "$seconds" "$@" || fail "$reason"
}

# --- Windows as X and as Win32 see them -----------------------------------------------------------

window_gone() {
  ! wmctrl -l | grep -q "^$1 "
}

active_window() {
  printf '0x%08x' "$(xdotool getactivewindow 2>/dev/null || echo 0)"
}

is_active() {
  [ "$(active_window)" = "$1" ]
}

# Win32's foreground window: "<caption>\t<main|other>", main when it is Tarvex's main window.
# Wine 8 does not pass a program's SetForegroundWindow on to the window manager while another
# client has the X focus, so Win32's view is what tells that Tarvex came to the front.
foreground() {
  wine_bounded "$reader" --foreground 2>/dev/null | tr -d '\r'
}

tarvex_in_front() {
  [ "$(foreground)" = $'Tarvex 1.0\tmain' ]
}

notepad_in_front() {
  is_active "$notepad_id" && [ "$(foreground)" = "$notepad_title"$'\tother' ]
}

# --- The tray ---------------------------------------------------------------------------------------

tray_window() {
  window_titled "$tray_title"
}

tray_gone() {
  ! tray_window
}

# Puts the tray window where nothing covers it, and sets x and y to the middle of the first slot:
# the only program with an icon in this prefix is Tarvex.
locate_icon() {
  local tray left top
  tray="$(tray_window)" || fail "no '$tray_title' window: the icon is not in the tray"
  wmctrl -i -r "$tray" -b add,above
  read -r left top <<<"$(xwininfo -id "$tray" | awk '
    /Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF } END { print x, y }')"
  x=$((left + tray_slot / 2))
  y=$((top + tray_slot / 2))
}

# xdotool's --sync waits for the pointer to move, for seconds when it is already there: step aside
# first.
point_at() {
  xdotool mousemove $(($1 + 3)) $(($2 + 3)) mousemove --sync "$1" "$2"
}

menu_open() {
  wine_bounded "$reader" --menu 2>/dev/null | tr -d '\r' | grep -q '^menu '
}

menu_closed() {
  ! menu_open
}

# Right-clicks the icon and chooses the menu's first item ("Restore") or last item ("Exit"). The
# menu holds three items and a separator: the middles of the first and the last item lie a sixth
# of its height inside its edges.
choose_from_icon_menu() {
  local x y left top right bottom
  locate_icon
  point_at "$x" "$y"
  xdotool click 3
  expect 5 "a right click on the icon did not open its menu" menu_open
  read -r _ left top right bottom <<<"$(wine_bounded "$reader" --menu | tr -d '\r' | head -n1)"
  import -window root "$TARVEX_ROOT/build/screenshots/tray_wine_programs-menu.png" 2>/dev/null
  x=$(((left + right) / 2))
  case "$1" in
  Restore) y=$((top + (bottom - top) / 6)) ;;
  Exit) y=$((bottom - (bottom - top) / 6)) ;;
  esac
  point_at "$x" "$y"
  xdotool click 1
  expect 5 "the icon's menu did not close after a click on '$1'" menu_closed
}

# --- Dialogs ----------------------------------------------------------------------------------------

read_controls() {
  wine_bounded "$reader" --controls "$1" 2>"$logs/reader.err" | tr -d '\r' >"$logs/controls"
}

# The text of the Options dialog's drop-down list: its chosen item.
hot_key_shown() {
  read_controls Options && awk -F'\t' '$1 == "chosen" { print $2; exit }' "$logs/controls"
}

hot_key_is() {
  [ "$(hot_key_shown)" = "$1" ]
}

click_button_of() {
  local left top right bottom
  read_controls "$1"
  read -r left top right bottom <<<"$(text="$2" awk -F'\t' '
    $1 == "control" && $2 == "Button" && $3 == ENVIRON["text"] { print $4; exit }' "$logs/controls")"
  [ -n "$bottom" ] || {
    cat "$logs/controls"
    fail "'$1' has no button '$2'"
  }
  xdotool windowactivate --sync "$(window_titled "$1")" \
    mousemove --sync $(((left + right) / 2)) $(((top + bottom) / 2)) click 1
}

# The tool bar's ninth button: Refresh | Check All, Uncheck All | Restore, Minimize, Terminate |
# Switch To | Ignore List | Options | Web Site, About.
click_options_button() {
  local left top right bottom
  read -r _ _ _ left top right bottom <<<"$(wine_bounded "$reader" --toolbar | tr -d '\r' |
    awk '$2 == 9')"
  [ -n "$bottom" ] || fail "the tool bar has no ninth button (Options)"
  xdotool windowactivate --sync "$tarvex_id" \
    mousemove --sync $(((left + right) / 2)) $(((top + bottom) / 2)) click 1
}

# --- Steps ------------------------------------------------------------------------------------------

# Minimizes the main window as openbox's minimize button does; Wine turns it into SC_MINIMIZE.
minimize_to_tray() {
  xdotool windowminimize "$tarvex_id"
  expect 10 "after minimizing, the main window or a 'Tarvex 1.0' taskbar entry is still shown" \
    tarvex_hidden
  expect 10 "after minimizing, there is no icon in the tray" tray_window
}

bring_notepad_to_front() {
  xdotool windowactivate --sync "$notepad_id"
  expect 5 "notepad did not become the active window" notepad_in_front
}

# =================================================================================================

rm -f "$ini"
tarvex_wine notepad >"$logs/notepad.log" 2>&1 &
expect 20 "notepad did not open its window" window_titled "$notepad_title"
notepad_id="$(window_titled "$notepad_title")"

started=$(date +%s%N)
tarvex_wine "$tarvex" >>"$logs/tarvex.log" 2>&1 &
expect 20 "Tarvex's window did not appear" tarvex_windows
expect 10 "Tarvex's list did not answer" wine_bounded "$reader" --columns
tarvex_id="$(tarvex_windows)"
expect 10 "Tarvex did not show its main window beside an application window, with one taskbar \
entry" tarvex_shown
tray_gone || fail "Tarvex put an icon in the tray before it was minimized"
echo "PASS: Tarvex started beside notepad with one taskbar entry and no tray icon"

# 1. Minimize to the tray, and back by the icon's menu
minimize_to_tray
echo "PASS: minimized: the main window and its taskbar entry are hidden, the icon is in the tray"

choose_from_icon_menu Restore
expect 10 "'Restore' from the icon's menu did not show the main window and its taskbar entry \
again" tarvex_shown
tray_window >/dev/null || fail "after 'Restore' the icon left the tray"
expect 5 "after 'Restore' the main window is not the foreground window" tarvex_in_front
echo "PASS: 'Restore' from the icon's menu: the main window is back in front and the icon stayed"

# 2. Options: the hot key F8
click_options_button
expect 10 "the tool bar's Options button did not open the dialog 'Options'" window_titled Options
expect 5 "the dialog 'Options' did not open with the hot key 'None'" hot_key_is None
read_controls Options
grep -q $'^check\tMinimize to &tray\t1\t' "$logs/controls" || {
  cat "$logs/controls"
  fail "the dialog 'Options' has no checked check box 'Minimize to &tray'"
}
options_id="$(window_titled Options)"
import -window root "$TARVEX_ROOT/build/screenshots/tray_wine_programs-options.png" 2>/dev/null
# The label's access key moves the focus to the list; eight steps down from "None" is "F8".
xdotool windowactivate --sync "$options_id" key --clearmodifiers alt+k Home \
  Down Down Down Down Down Down Down Down
expect 5 "Alt+K and eight times Down did not choose 'F8'" hot_key_is F8
click_button_of Options OK
expect 10 "OK did not close the dialog 'Options'" window_gone "$options_id"
echo "PASS: Options opened with 'None' and 'Minimize to &tray' checked; 'Hot key' F8 chosen by" \
  "keyboard, OK"

# 3. The hot key from another program, with Tarvex shown and with Tarvex in the tray
bring_notepad_to_front
xdotool key --clearmodifiers F8
expect 5 "F8 pressed in notepad did not make Tarvex's main window the foreground window" \
  tarvex_in_front
echo "PASS: F8 with notepad in front made Tarvex's main window the foreground window"

minimize_to_tray
bring_notepad_to_front
xdotool key --clearmodifiers F8
expect 10 "F8 pressed in notepad did not bring Tarvex back from the tray" tarvex_shown
expect 5 "F8 brought Tarvex back from the tray, but its main window is not the foreground window" \
  tarvex_in_front
tray_window >/dev/null || fail "after F8 restored Tarvex the icon left the tray"
echo "PASS: minimized to the tray again, F8 with notepad in front brought Tarvex back to the" \
  "foreground"

# 4. A double click on the icon runs its default item, "Restore"
minimize_to_tray
locate_icon
point_at "$x" "$y"
xdotool click --repeat 2 --delay 100 1
expect 10 "a double click on the icon did not show the main window and its taskbar entry again" \
  tarvex_shown
tray_window >/dev/null || fail "after the double click the icon left the tray"
echo "PASS: minimized to the tray again, a double click on the icon brought Tarvex back"

# 5. Exit from the icon's menu
choose_from_icon_menu Exit
expect 10 "'Exit' from the icon's menu did not end Tarvex" tarvex_ended
expect 5 "the icon stayed in the tray after Tarvex ended" tray_gone
options="$(tr -d '\r' <"$ini" 2>/dev/null | grep -E '^(MinimizeToTray|HotKeyCode)=' | paste -sd' ')"
[ "$options" = "MinimizeToTray=1 HotKeyCode=8" ] ||
  fail "after 'Exit' KelvoApps.ini holds '$options', not 'MinimizeToTray=1 HotKeyCode=8'"
echo "PASS: 'Exit' from the icon's menu ended Tarvex, removed the icon and wrote HotKeyCode=8" \
  "($((($(date +%s%N) - started) / 1000000)) ms from the start of Tarvex)"

# 6. Started minimized, as a shortcut set to "Run: Minimized" starts it: straight to the tray with
#    no window shown; the first restore shows the window with its list.
tarvex_id=""
tarvex_wine start /min /unix "$tarvex" >>"$logs/tarvex.log" 2>&1 &
expect 20 "Tarvex started minimized put no icon in the tray" tray_window
sleep 1
[ -z "$(tarvex_all_windows)" ] || fail "Tarvex started minimized showed a window titled 'Tarvex 1.0'"
grep -qx 'main 0 0 .*' <<<"$(tarvex_window_states)" ||
  fail "Tarvex started minimized: its main window is not there, hidden and never shown"
choose_from_icon_menu Restore
expect 20 "'Restore' after a minimized start did not show the main window" tarvex_windows
tarvex_id="$(tarvex_windows)"
expect 10 "'Restore' after a minimized start did not show the main window and its taskbar entry" \
  tarvex_shown
expect 10 "the list did not answer after the first restore" wine_bounded "$reader" --columns
grep -q $'^Untitled - Notepad\t' <<<"$(wine_bounded "$reader" | tr -d '\r')" ||
  fail "the first restore after a minimized start did not list notepad"
echo "PASS: started minimized: only the tray icon; 'Restore' showed the window with its list"
