#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# End to end: the scenario both editions share (tests/scenario/scenario.txt), taken by the Linux
# tarvex on a display of its own with openbox and trayer. A client of our own with a window that
# asks "Save changes?" before it closes is the editor with unsaved work, xterms are the plain
# applications. The list, the status bar, the tool bar and the dialogs are read through the
# accessibility bus, as a screen reader reads them (atspi_reader.py finds each by its accessible
# name); the windows through the window manager; keys and clicks are a user's.
#
#   scenario-x11.sh <tarvex binary> <tarvex_e2e_client binary>
#
# Runs itself on a D-Bus session bus of its own. Exits 0 when every observation holds, 1 at the
# first that does not (with what was seen), 77 when a tool is missing.
set -uo pipefail
unset windir
tarvex="$1"
client="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
bus_launcher=/usr/libexec/at-spi-bus-launcher
for tool in Xvfb openbox trayer xdotool wmctrl xprop xwininfo xterm dbus-run-session dbus-send \
  "$bus_launcher"; do
  command -v "$tool" >/dev/null 2>&1 || {
    echo "skipped: $tool is missing"
    exit 77
  }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || {
  echo "skipped: python3-pyatspi is missing"
  exit 77
}
if [ -z "${TARVEX_SCENARIO_BUS:-}" ]; then
  TARVEX_SCENARIO_BUS=1 exec dbus-run-session -- "$0" "$@"
fi
# shellcheck source=../../../scripts/lib/virtual-display.sh
source "$here/../../../scripts/lib/virtual-display.sh"
# shellcheck source=../../scenario/run-scenario.sh
source "$here/../../scenario/run-scenario.sh"

scratch="$(mktemp -d "${TMPDIR:-/tmp}/tarvex-scenario.XXXXXX")"
started=()
tarvex_pid=""
main_window=""

finish() {
  tarvex_end_processes "$tarvex_pid" "${started[@]}"
  tarvex_display_stop
  rm -rf "$scratch"
}
trap finish EXIT
tarvex_display_start || exit 1

export XDG_CONFIG_HOME="$scratch/config"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
scenario_ini="$XDG_CONFIG_HOME/KelvoApps.ini"
scenario_rows="$scratch/rows"
reader=(/usr/bin/python3 "$here/atspi_reader.py")

scenario_fail() {
  local shot
  echo "FAIL: $*"
  echo "--- rows read through the accessibility bus:"
  "${reader[@]}" 2>&1
  echo "--- status bar:"
  "${reader[@]}" --status 2>&1
  echo "--- windows on $DISPLAY:"
  wmctrl -lp
  echo "--- $scenario_ini:"
  cat "$scenario_ini" 2>/dev/null
  echo "--- output of tarvex:"
  tail -n 20 "$scratch/tarvex.log"
  shot="$here/../../../build/screenshots/scenario-x11-failure-$(date +%Y%m%d-%H%M%S).png"
  mkdir -p "$(dirname "$shot")" && import -window root "$shot" && echo "--- screen: $shot"
  exit 1
}

expect() {
  local seconds="$1" reason="$2"
  shift 2
  tarvex_wait_for "$seconds" "$@" || scenario_fail "$reason"
}

window_of() {
  local id caption
  while read -r id _ _ caption; do
    [ "$caption" = "$1" ] && echo "$id" && return 0
  done < <(wmctrl -l)
  return 1
}

active_window() {
  xprop -root _NET_ACTIVE_WINDOW | sed -n 's/.*# \(0x[0-9a-f]*\).*/\1/p'
}

is_active() {
  [ "$(($(active_window)))" = "$(($1))" ]
}

viewable() {
  xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# --- Reading what the user sees -------------------------------------------------------------------

read_rows() {
  "${reader[@]}" >"$scenario_rows" 2>"$scratch/reader.err"
}

see_counters() {
  "${reader[@]}" --status | head -n1
}

# The question is a window of its own, transient for the application's.
prompt_of() {
  local id
  for id in $(wmctrl -l | cut -d' ' -f1); do
    xprop -id "$id" WM_TRANSIENT_FOR 2>/dev/null | grep -q "# $(printf '0x%x' "${app_window[$1]}")$" &&
      echo "$id" && return 0
  done
  return 1
}

see_prompt() {
  if prompt_of "$1" >/dev/null; then echo "$1 open"; else echo "$1 closed"; fi
}

read_controls() {
  "${reader[@]}" --controls "$1" >"$scratch/controls" 2>"$scratch/reader.err"
}

see_ignore_list() {
  local entries
  read_controls "Ignore List" || return 1
  entries="$(awk -F'\t' '$1 == "entry" { print $2 }' "$scratch/controls" | paste -sd',' |
    sed 's/,/, /g')"
  echo "${entries:-(empty)}"
}

see_options() {
  local hot_key tray
  read_controls Options || return 1
  grep -q $'^combo box\tHot key:\t' "$scratch/controls" || return 1
  hot_key="$(awk -F'\t' '$1 == "chosen" { print $2; exit }' "$scratch/controls")"
  tray="$(awk -F'\t' '$1 == "check box" && $2 == "Minimize to tray" { print $3; exit }' \
    "$scratch/controls")"
  case "$tray" in 1) tray=on ;; 0) tray=off ;; esac
  echo "hot key $hot_key, minimize to tray $tray"
}

see_tarvex() {
  if [ -z "$tarvex_pid" ] || ! kill -0 "$tarvex_pid" 2>/dev/null; then
    echo ended
  elif window_of "Tarvex 1.0" >/dev/null && viewable "$main_window" &&
    [ "$(xprop -id "$main_window" WM_STATE 2>/dev/null | grep -c 'window state: Normal')" = 1 ]; then
    echo shown
  elif ! window_of "Tarvex 1.0" >/dev/null && ! viewable "$main_window"; then
    echo in tray
  else
    echo "in between"
  fi
}

# The icon is a window of the program's that trayer has embedded.
icon_window() {
  local tray
  tray="$(wmctrl -lx | awk '$3 == "panel.trayer" { print $1; exit }')"
  [ -n "$tray" ] && xwininfo -tree -id "$tray" | awk '/\("tarvex" / { print $1; exit }' | grep .
}

icon_shown() {
  local icon
  icon="$(icon_window)" && viewable "$icon"
}

see_tray() {
  if icon_shown; then echo icon; else echo none; fi
}

see_foreground() {
  local active
  active="$(active_window)"
  if [ -n "$main_window" ] && [ "$((active))" = "$((main_window))" ]; then
    echo Tarvex
  else
    xprop -id "$active" _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'
  fi
}

# --- Acting as the user ---------------------------------------------------------------------------

# xdotool's --sync waits for the pointer to move, for seconds when it is already there: step aside
# first.
click_at() {
  xdotool mousemove $(($1 + 3)) $(($2 + 3)) mousemove --sync "$1" "$2" click "${3:-1}"
}

focus() {
  wmctrl -i -a "$1"
  tarvex_wait_for 10 is_active "$1"
}

do_open() {
  local kind="$1" caption="$2"
  if [ "$kind" = editor ]; then
    "$client" unsaved "$scratch/ready-$caption" "$caption" &
  else
    xterm -T "$caption" -geometry 60x10+500+400 -e sleep 600 >/dev/null 2>&1 &
  fi
  started+=($!)
  app_pid["$caption"]=$!
  expect 20 "the window '$caption' did not open" window_of "$caption"
  app_window["$caption"]="$(window_of "$caption")"
}

do_start() {
  "$tarvex" >>"$scratch/tarvex.log" 2>&1 &
  tarvex_pid=$!
  expect 20 "Tarvex's window did not open" window_of "Tarvex 1.0"
  main_window="$(window_of "Tarvex 1.0")"
  expect 20 "Tarvex's list is not on the accessibility bus" read_rows
}

do_close() {
  wmctrl -i -c "$main_window"
}

do_key() {
  focus "$main_window" && xdotool key --clearmodifiers "$1"
}

do_hot_key() {
  xdotool key --clearmodifiers "$1"
}

do_focus() {
  focus "${app_window[$1]}"
}

do_minimize() {
  xdotool windowminimize "$main_window"
}

# Two clicks on one spot in quick succession would be a double click: each click lands 12 pixels
# to the other side of the header's middle.
header_side=12

do_click_header() {
  local x y width height
  read -r x y width height <<<"$("${reader[@]}" --columns | awk -F'\t' -v name="$*" '
    $1 == "column" && $2 == name { print $3 }')"
  header_side=$((-header_side))
  [ -n "$height" ] && focus "$main_window" &&
    click_at $((x + width / 2 + header_side)) $((y + height / 2))
}

# Clicks a row's check box, at the left edge of its caption's cell.
do_check() {
  local row x y height
  read_rows || return 1
  row="$(row_of "$1")" || return 1
  read -r _ x y _ height <<<"$("${reader[@]}" --row-rect "$row" | tr '\t' ' ')"
  focus "$main_window" && click_at $((x + 8)) $((y + height / 2))
}

do_cancel_prompt() {
  wmctrl -i -c "$(prompt_of "$1")"
}

do_press_tool() {
  local x y width height
  read -r x y width height <<<"$("${reader[@]}" --toolbar | awk -F'\t' -v name="$*" '
    $1 == "button" && $2 == name { print $3 }')"
  [ -n "$height" ] && focus "$main_window" && click_at $((x + width / 2)) $((y + height / 2))
}

# press <dialog title> <button>
do_press() {
  local button="${*: -1}" dialog="${*:1:$#-1}" x y width height
  read_controls "$dialog" || return 1
  read -r x y width height <<<"$(awk -F'\t' -v name="$button" '
    $1 == "push button" && $2 == name { print $4; exit }' "$scratch/controls")"
  [ -n "$height" ] && focus "$(window_of "$dialog")" && click_at $((x + width / 2)) $((y + height / 2))
}

window_gone() {
  ! wmctrl -l | grep -q "^$1 "
}

do_add_ignored() {
  local box
  do_press "Ignore List" Add || return 1
  expect 10 "Add did not open the input box 'Add'" window_of Add
  box="$(window_of Add)"
  if ! read_controls Add || ! grep -q $'^text\tCaption:\t' "$scratch/controls"; then
    scenario_fail "the input box 'Add' has no field named 'Caption:'"
  fi
  focus "$box" && xdotool type --delay 20 "$*" && xdotool key --clearmodifiers Return
  expect 10 "Enter did not close the input box" window_gone "$box"
}

# The label's access key moves the focus to the list; the keys step down from "None" to F<n>.
do_choose_hot_key() {
  local downs=()
  for _ in $(seq 1 "${1#F}"); do downs+=(Down); done
  focus "$(window_of Options)" && xdotool key --clearmodifiers alt+k Home "${downs[@]}"
}

# The icon's menu on screen, "<x> <y> <width> <height>": a top-level window of the program's, left
# alone by the window manager, that is neither the main window nor the icon. Qt does not put a
# pop-up menu of a window-less icon on the accessibility bus.
icon_menu() {
  xwininfo -root -children | awk '$2 == "\"tarvex\":" && $3 == "(\"tarvex\"" { print $1, $5 }' |
    while read -r id geometry; do
      [ "$id" = "$(printf '0x%x' "$main_window")" ] && continue
      xwininfo -id "$id" | grep -q 'Override Redirect State: yes' && viewable "$id" &&
        echo "$geometry" | awk -F'[x+]' '$1 > 24 { print $3, $4, $1, $2 }'
    done | grep .
}

# Right-clicks the icon and clicks its menu's first item ("Restore") or its last ("Exit"): the
# menu holds three items and a separator, so their middles lie a sixth of its height inside its
# edges.
do_tray_menu() {
  local icon x y width height
  expect 10 "the icon is not in the tray" icon_shown
  icon="$(icon_window)"
  xdotool mousemove --window "$icon" 5 5 click 3
  expect 10 "a right click on the icon did not open its menu" icon_menu
  read -r x y width height <<<"$(icon_menu)"
  case "$1" in
  Restore) y=$((y + height / 6)) ;;
  Exit) y=$((y + height - height / 6)) ;;
  esac
  click_at $((x + width / 2)) "$y"
}

# =================================================================================================

"$bus_launcher" --launch-immediately >"$scratch/bus.log" 2>&1 &
started+=($!)
expect 20 "the accessibility bus did not start" dbus-send --session --print-reply \
  --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress
trayer --edge bottom --align right --widthtype request --height 24 --SetDockType true \
  --expand false --transparent false >/dev/null 2>&1 &
started+=($!)
expect 20 "trayer did not start" sh -c "wmctrl -lx | grep -q panel.trayer"

started_at=$SECONDS
scenario_run "$here/../../scenario/scenario.txt"
echo "PASS: the shared scenario holds for the Linux tarvex on X11 ($((SECONDS - started_at)) s)"
