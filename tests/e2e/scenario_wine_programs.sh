#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# End to end: the scenario both editions share (tests/scenario/scenario.txt), taken by tarvex.exe
# under Wine. Wine's notepad with text typed into it is the editor with unsaved work, winemine and
# regedit are the plain applications; each is given the scenario's caption from outside. The list,
# the status bar and the dialogs are read through the controls' own messages (list_reader), the
# windows through the window manager; keys and clicks are a user's.
#
#   scenario_wine_programs.sh <bin dir>    (the folder holding tarvex.exe and list_reader.exe)
#
# Exits 0 when every observation holds, 1 at the first that does not (with what was seen), 77
# (ctest: skipped) when this host's Wine cannot run the build's architecture.
set -uo pipefail

export TARVEX_VIRTUAL_DISPLAY=1 # a tray host on the caller's display would take the icon away
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/wine_session.sh"
source "$here/../scenario/run-scenario.sh"
e2e_session_start "$@"

scenario_ini="$WINEPREFIX/drive_c/windows/KelvoApps.ini"
scenario_rows="$logs/rows"
plain_programs=(winemine regedit)
plain_titles=("WineMine" "Registry Editor")

e2e_cleanup() {
  rm -f "$scenario_ini"
}

e2e_diagnostics() {
  echo "--- status panels:"
  wine_bounded "$reader" --status 2>&1 | tr -d '\r'
  echo "--- Tarvex's top-level windows (kind visible iconic width height):"
  wine_bounded "$reader" --windows 2>&1 | tr -d '\r'
  echo "--- controls last read:"
  cat "$logs/controls" 2>/dev/null
  echo "--- $scenario_ini:"
  tr -d '\r' <"$scenario_ini" 2>/dev/null
}

scenario_fail() {
  fail "$@"
}

# --- Reading what the user sees -------------------------------------------------------------------

read_rows() {
  wine_bounded "$reader" 2>"$logs/reader.err" | tr -d '\r' >"$logs/rows" &&
    grep -q 'list_reader: 1 Tarvex lists read' "$logs/reader.err"
}

see_counters() {
  wine_bounded "$reader" --status 2>/dev/null | tr -d '\r' | head -n1
}

# The save prompt is a message box titled as the application is named.
prompt_of() {
  window_titled Notepad
}

see_prompt() {
  if prompt_of >/dev/null; then echo "$1 open"; else echo "$1 closed"; fi
}

read_controls() {
  wine_bounded "$reader" --controls "$1" 2>"$logs/reader.err" | tr -d '\r' >"$logs/controls"
}

see_ignore_list() {
  local entries
  read_controls "Ignore List" || return 1
  entries="$(awk -F'\t' '$1 == "entry" { print $2 }' "$logs/controls" | paste -sd',' |
    sed 's/,/, /g')"
  echo "${entries:-(empty)}"
}

see_options() {
  local hot_key tray
  read_controls Options || return 1
  hot_key="$(awk -F'\t' '$1 == "chosen" { print $2; exit }' "$logs/controls")"
  tray="$(awk -F'\t' '$1 == "check" && $2 == "Minimize to &tray" { print $3; exit }' \
    "$logs/controls")"
  case "$tray" in 1) tray=on ;; 0) tray=off ;; esac
  echo "hot key $hot_key, minimize to tray $tray"
}

see_tarvex() {
  if tarvex_ended; then
    echo ended
  elif tarvex_shown; then
    echo shown
  elif tarvex_hidden; then
    echo in tray
  else
    echo "in between: $(tarvex_window_states | paste -sd' ')"
  fi
}

# Without an XEmbed tray host, Wine's explorer shows the icons in a window of its own, which
# exists only while an icon does.
tray_window() {
  window_titled "Wine System Tray"
}

see_tray() {
  if tray_window >/dev/null; then echo icon; else echo none; fi
}

# Win32's foreground window: Wine 8 does not pass a program's SetForegroundWindow on to the
# window manager while another client has the X focus.
see_foreground() {
  local foreground
  foreground="$(wine_bounded "$reader" --foreground 2>/dev/null | tr -d '\r')"
  if [ "$foreground" = $'Tarvex 1.0\tmain' ]; then echo Tarvex; else echo "${foreground%%$'\t'*}"; fi
}

# --- Acting as the user ---------------------------------------------------------------------------

expect() {
  local seconds="$1" reason="$2"
  shift 2
  tarvex_wait_for "$seconds" "$@" || fail "$reason"
}

# xdotool's --sync waits for the pointer to move, for seconds when it is already there: step aside
# first.
click_at() {
  xdotool windowactivate --sync "$1" mousemove $(($2 + 3)) $(($3 + 3)) \
    mousemove --sync "$2" "$3" click "${4:-1}"
}

# Opens a program, waits for its window titled $2 and gives it the caption $3.
open_as() {
  local program="$1" title="$2" caption="$3"
  tarvex_wine "$program" >"$logs/$program.log" 2>&1 &
  expect 20 "$program did not open its window" window_titled "$title"
  app_window[$caption]="$(window_titled "$title")"
  pid_of "$program.exe"
  app_pid[$caption]="$pid"
}

do_open() {
  local kind="$1" caption="$2"
  if [ "$kind" = editor ]; then
    open_as notepad "Untitled - Notepad" "$caption"
    xdotool windowactivate --sync "${app_window[$caption]}" type --delay 20 "Text nobody saved"
    wine_bounded "$reader" --rename "Untitled - Notepad" "$caption"
  else
    open_as "${plain_programs[0]}" "${plain_titles[0]}" "$caption"
    wine_bounded "$reader" --rename "${plain_titles[0]}" "$caption"
    plain_programs=("${plain_programs[@]:1}")
    plain_titles=("${plain_titles[@]:1}")
  fi
  expect 10 "the window did not take the caption '$caption'" window_titled "$caption"
}

do_start() {
  tarvex_wine "$tarvex" >>"$logs/tarvex.log" 2>&1 &
  expect 20 "Tarvex's window did not appear" tarvex_windows
  tarvex_id="$(tarvex_windows | head -n1)"
  expect 10 "Tarvex's list did not answer" wine_bounded "$reader" --columns
}

do_close() {
  wmctrl -i -c "$tarvex_id"
}

do_key() {
  xdotool windowactivate --sync "$tarvex_id" key --clearmodifiers "$1"
}

do_hot_key() {
  xdotool key --clearmodifiers "$1"
}

do_focus() {
  xdotool windowactivate --sync "${app_window[$1]}"
}

do_minimize() {
  xdotool windowminimize "$tarvex_id"
}

# Two clicks on one spot in quick succession would be a double click: each click lands 12 pixels
# to the other side of the header's middle.
header_side=12

do_click_header() {
  local number=1 width divider middle
  [ "$*" = "Process ID" ] && number=2
  read -r _ _ width divider middle <<<"$(wine_bounded "$reader" --columns | tr -d '\r' |
    awk -v n="$number" '$2 == n')"
  header_side=$((-header_side))
  [ -n "$middle" ] && click_at "$tarvex_id" $((divider - width / 2 + header_side)) "$middle"
}

# Clicks a row's check box: the state image at the row's left edge.
do_check() {
  local row left top bottom
  read_rows || return 1
  row="$(row_of "$1")" || return 1
  read -r _ left top _ bottom <<<"$(wine_bounded "$reader" --row-rect "$row" |
    tr -d '\r' | grep '^row ')"
  click_at "$tarvex_id" $((left + 8)) $(((top + bottom) / 2))
}

do_cancel_prompt() {
  xdotool windowactivate --sync "$(prompt_of)" key Escape
}

# The tool bar's buttons in their places: Refresh | Check All, Uncheck All | Restore, Minimize,
# Terminate | Switch To | Ignore List | Options | Web Site, About.
do_press_tool() {
  local place left top right bottom
  place="$(printf '%s\n' Refresh "Check All" "Uncheck All" Restore Minimize Terminate "Switch To" \
    "Ignore List" Options "Web Site" About | grep -n -x -F "$*" | cut -d: -f1)"
  read -r _ _ _ left top right bottom <<<"$(wine_bounded "$reader" --toolbar | tr -d '\r' |
    awk -v n="$place" '$2 == n')"
  [ -n "$bottom" ] && click_at "$tarvex_id" $(((left + right) / 2)) $(((top + bottom) / 2))
}

# press <dialog title> <button>
do_press() {
  local button="${*: -1}" dialog="${*:1:$#-1}" left top right bottom
  read_controls "$dialog" || return 1
  read -r left top right bottom <<<"$(text="$button" awk -F'\t' '
    $1 == "control" && $2 == "Button" && $3 == ENVIRON["text"] { print $4; exit }' \
    "$logs/controls")"
  [ -n "$bottom" ] && click_at "$(window_titled "$dialog")" $(((left + right) / 2)) \
    $(((top + bottom) / 2))
}

do_add_ignored() {
  local box
  do_press "Ignore List" "A&dd" || return 1
  expect 10 "A&dd did not open the input box 'Add'" window_titled Add
  box="$(window_titled Add)"
  xdotool windowactivate --sync "$box" type --delay 20 "$*"
  xdotool key --clearmodifiers Return
  expect 10 "Enter did not close the input box" window_gone "$box"
}

window_gone() {
  ! wmctrl -l | grep -q "^$1 "
}

# The label's access key moves the focus to the list; the keys step down from "None" to F<n>.
do_choose_hot_key() {
  local downs=()
  for _ in $(seq 1 "${1#F}"); do downs+=(Down); done
  xdotool windowactivate --sync "$(window_titled Options)" key --clearmodifiers alt+k Home \
    "${downs[@]}"
}

menu_open() {
  wine_bounded "$reader" --menu 2>/dev/null | tr -d '\r' | grep -q '^menu '
}

# Right-clicks the icon (the tray's first slot of 20 pixels: Tarvex's is the prefix's only icon)
# and clicks the menu's first item ("Restore") or last ("Exit"): the menu holds three items and a
# separator, so their middles lie a sixth of its height inside its edges.
do_tray_menu() {
  local tray left top right bottom
  tray="$(tray_window)" || return 1
  wmctrl -i -r "$tray" -b add,above
  read -r left top <<<"$(xwininfo -id "$tray" | awk '
    /Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF } END { print x, y }')"
  xdotool mousemove $((left + 13)) $((top + 13)) mousemove --sync $((left + 10)) $((top + 10)) \
    click 3
  expect 5 "a right click on the icon did not open its menu" menu_open
  read -r _ left top right bottom <<<"$(wine_bounded "$reader" --menu | tr -d '\r' | head -n1)"
  case "$1" in
  Restore) top=$((top + (bottom - top) / 6)) ;;
  Exit) top=$((bottom - (bottom - top) / 6)) ;;
  esac
  xdotool mousemove --sync $(((left + right) / 2)) "$top" click 1
}

# =================================================================================================

started=$SECONDS
scenario_run "$here/../scenario/scenario.txt"
echo "PASS: the shared scenario holds for $(basename "$tarvex") under Wine" \
  "($((SECONDS - started)) s)"
