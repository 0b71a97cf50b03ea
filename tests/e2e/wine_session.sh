# shellcheck shell=bash
# shellcheck source-path=SCRIPTDIR/../../scripts/lib
# Sourceable: the frame of an end-to-end test of a Windows build under Wine.
#
#   e2e_session_start <bin dir>   check the build (exit 77 when this host's Wine cannot run it),
#                                 bring up display and prefix, hold the prefix, note the windows
#                                 already open; sets tarvex, reader, logs
#   new_windows                   windows opened since then, as "<id> <title>" lines
#   new_window_titled <regex>     the first such title that matches
#   window_titled <title>         the id of the first such window with exactly that title
#   tarvex_windows                ids of the Tarvex main windows opened since then
#   tarvex_all_windows            ids of every window titled "Tarvex 1.0" opened since then
#   viewable <id>                 the X window is mapped and its parents are
#   tarvex_shown, tarvex_hidden   the main window $tarvex_id and the taskbar entry are shown, or
#                                 (in the tray) neither is, to Win32 and to the window manager
#   tarvex_ended                  no tarvex.exe runs and no window of it is left
#   wine_bounded <args...>        run Wine for at most 30 s
#   pid_of <image.exe>            set pid to the one process of that image, else fail
#   fail <message...>             print what was seen, take a screenshot, exit 1
#
# A test may define e2e_diagnostics (more to print on failure) and e2e_cleanup (more to undo).
# On every way out the windows opened meanwhile are closed politely, then the prefix's programs
# and the display this session started are ended.

here_session="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here_session/../../scripts/lib/virtual-display.sh"
source "$here_session/../../scripts/lib/wine-env.sh"

tarvex=""
reader=""
logs=""
windows_before=""
session_started=""
tarvex_id="" # the main window, for tarvex_shown and tarvex_hidden

e2e_session_start() {
  if [ $# -ne 1 ]; then
    echo "usage: $0 <bin dir>    (the folder holding tarvex.exe and list_reader.exe)" >&2
    exit 2
  fi
  tarvex="$1/tarvex.exe"
  reader="$1/list_reader.exe"
  local program
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
  trap e2e_session_end EXIT
  trap 'exit 143' TERM
  trap 'exit 130' INT
  tarvex_display_ensure --managed || exit 1
  tarvex_wine_env "${TARVEX_WINEPREFIX:-}" || exit 1
  tarvex_wine_lock_session || exit 1
  # Every test starts from no settings: a file another test left would change what Tarvex lists.
  rm -f "$WINEPREFIX/drive_c/windows/KelvoApps.ini"
  windows_before="$(window_lines)"
  session_started=yes
}

window_lines() {
  wmctrl -l | sed -E 's/^(0x[0-9a-f]+) +-?[0-9]+ +[^ ]+ /\1 /'
}

new_windows() {
  window_lines | grep -v -F -x -f <(printf '%s\n' "$windows_before") || true
}

new_window_titled() {
  new_windows | sed -E 's/^0x[0-9a-f]+ //' | grep -m1 -E "$1"
}

window_titled() {
  new_windows | awk -v title="$1" '{ id = $1; sub(/^[^ ]+ /, "") } $0 == title { print id; exit }' |
    grep .
}

tarvex_all_windows() {
  new_windows | grep ' Tarvex 1.0$' | cut -d' ' -f1
}

# The application window that carries the taskbar entry has the same title and zero size, which
# Wine maps as a 1x1 client; the main windows are the others.
tarvex_windows() {
  local id
  for id in $(tarvex_all_windows); do
    xwininfo -id "$id" 2>/dev/null |
      awk -v id="$id" '/^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF } END { if (w * h > 1) print id }'
  done | grep .
}

no_tarvex_window() {
  [ -z "$(tarvex_all_windows)" ]
}

map_state() {
  xwininfo -id "$1" 2>/dev/null | awk '/Map State:/ { print $3 }'
}

viewable() {
  [ "$(map_state "$1")" = IsViewable ]
}

not_viewable() {
  ! viewable "$1"
}

# Tarvex's own view of its windows titled "Tarvex 1.0": "main|other <visible> <iconic> <w> <h>".
tarvex_window_states() {
  wine_bounded "$reader" --windows 2>/dev/null | tr -d '\r'
}

# The windows titled "Tarvex 1.0" that the window manager shows as taskbar entries: Wine maps the
# zero-size application window as a 1x1 client, and marks the owned main window skip-taskbar.
taskbar_entries() {
  local id
  for id in $(tarvex_all_windows); do
    xprop -id "$id" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_SKIP_TASKBAR || echo "$id"
  done
}

one_taskbar_entry() {
  [ "$(taskbar_entries | wc -l)" = 1 ]
}

# Shown: the main window visible and not minimized, the application window visible, one taskbar
# entry.
tarvex_shown() {
  local states
  states="$(tarvex_window_states)"
  grep -qx 'main 1 0 .*' <<<"$states" && grep -q '^other 1 ' <<<"$states" && one_taskbar_entry &&
    viewable "$tarvex_id"
}

# In the tray: no window titled "Tarvex 1.0" is visible, to Win32 nor to the window manager.
tarvex_hidden() {
  local states
  states="$(tarvex_window_states)"
  grep -q '^main ' <<<"$states" && ! grep -q '^[a-z]* 1 ' <<<"$states" && no_tarvex_window &&
    not_viewable "$tarvex_id"
}

tarvex_runs() {
  wine_bounded "$reader" --pid-of tarvex.exe >/dev/null 2>&1
}

tarvex_ended() {
  ! tarvex_runs && no_tarvex_window
}

wine_bounded() {
  timeout --kill-after=5 30 "$TARVEX_WINE_BIN" "$@"
}

pid_of() {
  pid="$(wine_bounded "$reader" --pid-of "$1" | tr -d '\r')"
  if [ -z "$pid" ] || [ "$(echo "$pid" | wc -l)" -ne 1 ]; then
    fail "expected one process $1, found '${pid//$'\n'/ }'"
  fi
}

fail() {
  local shot log
  echo "FAIL: $*"
  echo "--- rows read from the Tarvex lists:"
  cat "$logs/rows" 2>/dev/null
  if declare -F e2e_diagnostics >/dev/null; then e2e_diagnostics; fi
  echo "--- windows on $DISPLAY:"
  wmctrl -lp
  for log in "$logs"/*.log; do
    [ -s "$log" ] && echo "--- output of $(basename "$log" .log):" && tail -n 20 "$log"
  done
  shot="$TARVEX_ROOT/build/screenshots/$(basename "$0" .sh)-failure-$(date +%Y%m%d-%H%M%S).png"
  mkdir -p "$(dirname "$shot")" && import -window root "$shot" && echo "--- screen: $shot"
  exit 1
}

e2e_session_end() {
  local id
  if [ -n "$session_started" ]; then
    # Politely first, so that Tarvex's own shutdown runs; the wineserver ends the rest.
    for id in $(new_windows | cut -d' ' -f1); do wmctrl -i -c "$id" 2>/dev/null; done
    tarvex_wait_for 5 no_tarvex_window ||
      echo "note: a Tarvex window stayed open after a polite close"
  fi
  tarvex_wine_stop
  if declare -F e2e_cleanup >/dev/null; then e2e_cleanup; fi
  tarvex_display_stop
  rm -rf "$logs"
}
