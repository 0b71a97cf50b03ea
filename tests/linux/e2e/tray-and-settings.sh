#!/usr/bin/env bash
# The real program from outside, on a display of its own with openbox and trayer: its settings
# file from the first start on, its ignore list, minimizing to the tray, the icon's menu, the hot
# key from another application, and Exit; then a tray that never embeds the icon, SIGTERM and the
# session's end.
#
#   tray-and-settings.sh <tarvex binary> <tarvex_e2e_client binary>
#
# Exits 0 when all holds, 1 at the first thing that does not, 77 when a tool is missing.
set -u
unset windir
tarvex="$1"
client="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
for tool in Xvfb openbox trayer xdotool wmctrl xprop xwininfo xterm xdpyinfo; do
  command -v "$tool" >/dev/null 2>&1 || { echo "tray-and-settings: $tool is missing" >&2; exit 77; }
done
# shellcheck source=../../../scripts/lib/virtual-display.sh disable=SC1091
source "$here/../../../scripts/lib/virtual-display.sh"

scratch="$(mktemp -d "${TMPDIR:-/tmp}/tarvex-tray-e2e.XXXXXX")"
started=()
tarvex_pid=""
finish() {
  tarvex_end_processes "$tarvex_pid" "${started[@]}"
  tarvex_display_stop
  rm -rf "$scratch"
}
trap finish EXIT
tarvex_display_start || exit 77

title="Tarvex 1.0"
config="$scratch/config"
ini="$config/KelvoApps.ini"
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
step() { echo "-- $*"; }

window_of() {
  local id caption
  while read -r id _ _ caption; do
    [ "$caption" = "$1" ] && echo "$id"
  done < <(wmctrl -l)
}
listed() { [ -n "$(window_of "$1")" ]; }
not_listed() { [ -z "$(window_of "$1")" ]; }
state_of() { xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/.*window state: //p'; }
is_state() { [ "$(state_of "$1")" = "$2" ]; }
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
hidden() { ! viewable "$1"; }
ended() { ! kill -0 "$1" 2>/dev/null; }
# The value of key $2 in section $1 of the settings file.
ini_value() {
  # The program ends its lines as the Windows edition does, with CR LF.
  awk -v s="[$1]" -v k="$2" '
    { sub(/\r$/, "") }
    /^\[/ { inside = ($0 == s); next }
    inside {
      i = index($0, "=")
      if (i > 0 && substr($0, 1, i - 1) == k) { print substr($0, i + 1); exit }
    }
  ' "${3:-$ini}"
}
expect_value() {
  local got
  got="$(ini_value "$1" "$2" "${4:-$ini}")"
  [ "$got" = "$3" ] || fail "[$1] $2 is '$got', wanted '$3'"
}

# The outer frame of a client window as "left top width height": its ancestor that is a child of
# the root (the manager's frame, or the window itself without one), X border included.
outer_of() {
  local window="$1" parent
  while parent="$(xwininfo -tree -id "$window" | grep 'Parent window id:')" &&
    [[ "$parent" != *"(the root window)"* ]]; do
    window="$(awk '{ print $4 }' <<<"$parent")"
  done
  xwininfo -id "$window" | awk '
    /Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } /Border width:/ { b = $3 }
    END { print x - b, y - b, w + 2 * b, h + 2 * b }'
}
stored_bounds() {
  local key
  for key in Left Top Width Height; do printf '%s ' "$(ini_value "Tarvex Window" "$key")"; done
}
store_bounds() {
  sed -i "s/^Left=.*/Left=$1/; s/^Top=.*/Top=$2/; s/^Width=.*/Width=$3/; s/^Height=.*/Height=$4/" \
    "$ini"
}

# The icon is a window of the program's that trayer has embedded.
trayer_window() { wmctrl -lx | awk '$3 == "panel.trayer" { print $1; exit }'; }
icon_window() {
  local tray
  tray="$(trayer_window)"
  [ -n "$tray" ] && xwininfo -tree -id "$tray" | awk '/\("tarvex" / { print $1; exit }'
}
icon_docked() { local icon; icon="$(icon_window)" && [ -n "$icon" ] && viewable "$icon"; }
no_icon() { [ -z "$(icon_window)" ]; }

launch=()  # what starts the program, before its name: an environment of its own, say
start_tarvex() {
  "${launch[@]}" "$tarvex" "$@" >"$scratch/tarvex.log" 2>&1 &
  tarvex_pid=$!
  tarvex_wait_for 20 listed "$title" || { fail "the window did not open"; return 1; }
  main_window="$(window_of "$title")"
  sleep 0.5  # the first refresh runs once the window stands
}
close_tarvex() {
  wmctrl -c "$title"
  tarvex_wait_for 20 ended "$tarvex_pid" || fail "the program did not end on close"
  wait "$tarvex_pid" 2>/dev/null
  tarvex_pid=""
}
focus() {
  wmctrl -i -a "$1"
  tarvex_wait_for 10 is_active "$1" || fail "could not focus $1"
}
active_is_not() { ! is_active "$1"; }
is_active() { xprop -root _NET_ACTIVE_WINDOW | grep -qi "$(printf '0x%x' "$1")"; }
keys_to_tarvex() {
  focus "$main_window"
  xdotool key --clearmodifiers "$@"
  sleep 0.3
}
tray_menu_choose() {
  local icon
  icon="$(icon_window)"
  xdotool mousemove --window "$icon" 5 5 click 3
  sleep 0.5
  xdotool key "$@"
}

trayer_pid=""
trayer --edge bottom --align right --widthtype request --height 24 --SetDockType true \
  --expand false --transparent false >/dev/null 2>&1 &
trayer_pid=$!
started+=($!)
xterm -T "E2E term" -geometry 60x10+20+400 -e sleep 600 >/dev/null 2>&1 &
started+=($!)
xterm -T "E2E ignored" -geometry 60x10+500+400 -e sleep 600 >/dev/null 2>&1 &
started+=($!)
xterm -T "E2E third" -geometry 60x10+500+100 -e sleep 600 >/dev/null 2>&1 &
started+=($!)
{ tarvex_wait_for 20 listed "E2E term" && tarvex_wait_for 20 listed "E2E ignored" &&
  tarvex_wait_for 20 listed "E2E third" && tarvex_wait_for 20 trayer_window; } ||
  { echo "the clients did not start" >&2; exit 1; }
term="$(window_of "E2E term")"
ignored="$(window_of "E2E ignored")"
third="$(window_of "E2E third")"

step "first start through windir: the file goes there, with the defaults"
mkdir -p "$scratch/windir"
windir="$scratch/windir" XDG_CONFIG_HOME="$config" start_tarvex
close_tarvex
windir_ini="$scratch/windir/KelvoApps.ini"
[ -f "$windir_ini" ] || fail "no settings file in windir"
[ -e "$ini" ] && fail "a file was written outside windir"
expect_value "Tarvex Window" Column1 130 "$windir_ini"
expect_value "Tarvex Window" Column2 67 "$windir_ini"
expect_value "Tarvex Window" MinimizeToTray 1 "$windir_ini"
expect_value "Tarvex Window" HotKeyCode 0 "$windir_ini"

export XDG_CONFIG_HOME="$config"
unset windir
step "first start: the defaults are written on close"
start_tarvex
close_tarvex
[ -f "$ini" ] || fail "no settings file after the first close"
for key in Left Top Width Height; do
  [ -n "$(ini_value "Tarvex Window" "$key")" ] || fail "no $key in the file"
done
expect_value "Tarvex Window" Column1 130
expect_value "Tarvex Window" MinimizeToTray 1

step "the stored bounds are the outer frame's, and each close stores them back unchanged"
store_bounds 192 103 321 246
for round in 1 2; do
  start_tarvex
  outer="$(outer_of "$main_window")"
  [ "$outer" = "192 103 321 246" ] || fail "round $round: stored 192 103 321 246, the frame is $outer"
  close_tarvex
  [ "$(stored_bounds)" = "192 103 321 246 " ] || fail "round $round: stored back $(stored_bounds)"
done
store_bounds 1000 600 100 60
start_tarvex
outer="$(outer_of "$main_window")"
[ "$outer" = "959 600 321 125" ] || fail "a small window at the bottom right: the frame is $outer"
close_tarvex

step "no command line: Qt's options are ignored, the display is taken"
store_bounds 192 103 321 246
printf 'QMainWindow { min-width: 700px; min-height: 500px; }\n' >"$scratch/wide.qss"
launch=(env -u DISPLAY)
start_tarvex -display "$DISPLAY" -reverse -stylesheet "$scratch/wide.qss" \
  -qwindowgeometry 600x400+30+40
launch=()
outer="$(outer_of "$main_window")"
[ "$outer" = "192 103 321 246" ] || fail "with Qt's options on the command line the frame is $outer"
close_tarvex

step "placement and columns persist"
start_tarvex
wmctrl -i -r "$main_window" -e 0,140,90,520,330
sleep 0.5
placed="$(wmctrl -lG | awk -v w="$main_window" '$1 == w { print $3, $4, $5, $6 }')"
close_tarvex
sed -i 's/^Column1=.*/Column1=210/' "$ini"
start_tarvex
again="$(wmctrl -lG | awk -v w="$main_window" '$1 == w { print $3, $4, $5, $6 }')"
[ "$placed" = "$again" ] || fail "placement '$placed' came back as '$again'"
close_tarvex
expect_value "Tarvex Window" Column1 210

step "a stored window off the screen and too small comes back on it at the least size"
saved="$(cat "$ini")"
sed -i 's/^Left=.*/Left=2000/; s/^Top=.*/Top=-50/' "$ini"
sed -i 's/^Width=.*/Width=100/; s/^Height=.*/Height=60/' "$ini"
start_tarvex
close_tarvex
x="$(ini_value "Tarvex Window" Left)" y="$(ini_value "Tarvex Window" Top)"
w="$(ini_value "Tarvex Window" Width)" h="$(ini_value "Tarvex Window" Height)"
{ [ "$w" -ge 321 ] && [ "$h" -ge 125 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1280 ]; } ||
  fail "the window stood at $x,$y ${w}x$h on a 1280x800 screen"
printf '%s\n' "$saved" >"$ini"

step "with MinimizeToTray off, minimize leaves the window on the taskbar and no icon"
sed -i 's/^MinimizeToTray=.*/MinimizeToTray=0/' "$ini"
start_tarvex
xdotool windowminimize "$main_window"
tarvex_wait_for 10 is_state "$main_window" Iconic || fail "the window is $(state_of "$main_window")"
sleep 0.5
listed "$title" || fail "the minimized window left the taskbar"
no_icon || fail "an icon appeared in the tray"
wmctrl -i -a "$main_window"
tarvex_wait_for 10 is_state "$main_window" Normal || fail "the window did not come back"
close_tarvex
expect_value "Tarvex Window" MinimizeToTray 0

step "options, the ignore list and hand-made parts of the file"
sed -i 's/^HotKeyCode=.*/HotKeyCode=7/; s/^MinimizeToTray=.*/MinimizeToTray=1/' "$ini"
sed -i '/^\[Tarvex Window\]/a HandAdded=kept by hand' "$ini"
printf '\n[Tarvex Ignore]\n1=E2E ignored\n\n[Another Program]\nColour=blue\n' >>"$ini"
start_tarvex
keys_to_tarvex ctrl+a ctrl+m
tarvex_wait_for 10 is_state "$term" Iconic ||
  fail "Check All + Minimize left 'E2E term' $(state_of "$term")"
sleep 0.5
is_state "$ignored" Normal || fail "the ignored window was minimized: $(state_of "$ignored")"
keys_to_tarvex ctrl+r
tarvex_wait_for 10 is_state "$term" Normal || fail "Restore left 'E2E term' $(state_of "$term")"

step "a caption added in the Ignore List dialog leaves the list on OK"
keys_to_tarvex ctrl+i
tarvex_wait_for 10 listed "Ignore List" || fail "no Ignore List dialog"
xdotool key alt+d
tarvex_wait_for 10 active_is_not "$(window_of "Ignore List")" || fail "Add opened no input box"
xdotool type "E2E third"
xdotool key Return
tarvex_wait_for 10 is_active "$(window_of "Ignore List")" || fail "the input box stayed open"
# OK as designed: at (276, 8), 75 by 25, in the dialog.
xdotool mousemove --window "$(window_of "Ignore List")" 313 20 click 1
tarvex_wait_for 10 not_listed "Ignore List" || fail "OK left the dialog open"
keys_to_tarvex ctrl+a ctrl+m
tarvex_wait_for 10 is_state "$term" Iconic ||
  fail "Check All + Minimize left 'E2E term' $(state_of "$term")"
sleep 0.5
is_state "$third" Normal ||
  fail "the window ignored in the dialog was minimized: $(state_of "$third")"
keys_to_tarvex ctrl+r
tarvex_wait_for 10 is_state "$term" Normal || fail "Restore left 'E2E term' $(state_of "$term")"

step "minimize goes to the tray; the icon's menu restores"
xdotool windowminimize "$main_window"
tarvex_wait_for 10 hidden "$main_window" || fail "the window stayed in sight"
tarvex_wait_for 10 icon_docked || fail "no icon in the tray"
not_listed "$title" || fail "the window in the tray is still a managed client"
tray_menu_choose Down Return
tarvex_wait_for 10 viewable "$main_window" || fail "the menu's Restore did not bring it back"
tarvex_wait_for 10 listed "$title" || fail "the restored window is not listed"
main_window="$(window_of "$title")"

step "the hot key restores from another application"
xdotool windowminimize "$main_window"
tarvex_wait_for 10 hidden "$main_window" || fail "the window stayed in sight"
focus "$term"
xdotool key F7
tarvex_wait_for 10 listed "$title" || fail "F7 did not bring the window back"
main_window="$(window_of "$title")"
tarvex_wait_for 10 viewable "$main_window" || fail "F7 left the window hidden"

step "the tray's Exit ends the program and takes the icon along"
xdotool windowminimize "$main_window"
tarvex_wait_for 10 icon_docked || fail "no icon in the tray"
pid="$tarvex_pid"
tray_menu_choose Up Return
tarvex_wait_for 20 ended "$pid" || fail "Exit did not end the program"
tarvex_pid=""
tarvex_wait_for 10 no_icon || fail "the icon stayed in the tray"

step "the file keeps what the program does not own"
expect_value "Another Program" Colour blue
expect_value "Tarvex Window" HandAdded "kept by hand"
expect_value "Tarvex Window" HotKeyCode 7
expect_value "Tarvex Window" MinimizeToTray 1
expect_value "Tarvex Window" Column1 210
{ grep -q '^[0-9]*=E2E ignored' "$ini" && grep -q '^[0-9]*=E2E third' "$ini"; } ||
  fail "the ignore list lost an entry"

step "a tray that never embeds the icon: minimizing leaves Tarvex on the taskbar"
kill "$trayer_pid"
tarvex_wait_for 10 ended "$trayer_pid" || fail "trayer did not end"
"$client" tray "$scratch/tray-ready" &
started+=($!)
tarvex_wait_for 10 test -f "$scratch/tray-ready" || fail "the tray that never embeds did not start"
start_tarvex
xdotool windowminimize "$main_window"
tarvex_wait_for 10 is_state "$main_window" Iconic || fail "the window is $(state_of "$main_window")"
sleep 1
listed "$title" || fail "minimized to a tray that never took the icon, the program vanished"

step "SIGTERM saves the settings as a close would, then ends the program"
wmctrl -i -a "$main_window"
tarvex_wait_for 10 is_state "$main_window" Normal || fail "the window did not come back"
before="$(ini_value "Tarvex Window" Width)"
wmctrl -i -r "$main_window" -e 0,100,80,$((before + 40)),300
sleep 0.5
kill -TERM "$tarvex_pid"
tarvex_wait_for 20 ended "$tarvex_pid" || fail "the program did not end on SIGTERM"
wait "$tarvex_pid" 2>/dev/null
tarvex_pid=""
[ "$(ini_value "Tarvex Window" Width)" != "$before" ] || fail "SIGTERM saved no settings"
expect_value "Another Program" Colour blue

step "SIGTERM with a read-only settings file: the usual message, and the file as it was"
start_tarvex
chmod a-w "$ini"
cp "$ini" "$scratch/kept.ini"
kill -TERM "$tarvex_pid"
tarvex_wait_for 20 ended "$tarvex_pid" || fail "the program did not end on SIGTERM"
wait "$tarvex_pid" 2>/dev/null
tarvex_pid=""
grep -q "Unable to write to $ini" "$scratch/tarvex.log" || fail "no message: $(cat "$scratch/tarvex.log")"
cmp -s "$ini" "$scratch/kept.ini" || fail "the read-only settings file changed"
chmod u+w "$ini"

step "the session's end saves the settings as a close would, asks nothing, and ends the program"
"$client" session "$scratch/session" &
started+=($!)
tarvex_wait_for 10 test -s "$scratch/session" || fail "the session manager did not start"
SESSION_MANAGER="$(cat "$scratch/session")" start_tarvex
before="$(ini_value "Tarvex Window" Width)"
wmctrl -i -r "$main_window" -e 0,100,80,$((before + 40)),300
sleep 0.5
touch "$scratch/session.logout"
tarvex_wait_for 20 ended "$tarvex_pid" || fail "the program did not end with the session"
wait "$tarvex_pid" 2>/dev/null
tarvex_pid=""
[ "$(ini_value "Tarvex Window" Width)" != "$before" ] || fail "the session's end saved nothing"

if [ "$failures" -ne 0 ]; then
  echo "settings file:" >&2
  cat "$ini" >&2
  exit 1
fi
echo "all held"
