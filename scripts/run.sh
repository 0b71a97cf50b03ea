#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR/lib
# Builds the Linux edition of Tarvex and starts it.
#
#   scripts/run.sh [screenshot.png]
#
# On a working $DISPLAY, Tarvex runs in the foreground until it is closed. Without one, a virtual
# display is started (Xvfb with openbox and a tray) with a few X programs open, Tarvex is started
# among them with settings of its own under build/, a screenshot is written (default
# build/screenshots/tarvex-linux-<time>.png), its path printed, and all is stopped.
# The Windows edition has its own command: scripts/run-windows.sh.
set -uo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/lib/virtual-display.sh"
cd "$root" || exit 1

"$root/scripts/install-deps.sh" linux || exit 1
if [ ! -f build/linux/build.ninja ]; then
  cmake --preset linux >/dev/null || exit 1
fi
cmake --build --preset linux --target tarvex || exit 1
tarvex="$root/build/linux/bin/tarvex"

if tarvex_display_works; then
  exec "$tarvex"
fi

shot="${1:-$root/build/screenshots/tarvex-linux-$(date +%Y%m%d-%H%M%S).png}"
started=()
stop_all() {
  local pid
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
  # Only the demo programs: the display's own server and window manager are
  # stopped (and waited for) by tarvex_display_stop.
  for pid in "${started[@]}"; do wait "$pid" 2>/dev/null; done
  tarvex_display_stop
}
trap stop_all EXIT
tarvex_display_start || exit 1

window_open() {
  wmctrl -l | grep -q -E " $1\$"
}

trayer --edge bottom --align right --widthtype request --height 24 --SetDockType true \
  --expand false --transparent false >/dev/null 2>&1 &
started+=($!)
xterm -T "Build log" -geometry 80x20+20+420 >/dev/null 2>&1 &
started+=($!)
xterm -T "Notes" -geometry 60x16+700+430 >/dev/null 2>&1 &
started+=($!)
xclock -geometry 160x160+1080+20 >/dev/null 2>&1 &
started+=($!)
xeyes -geometry 160x120+1080+220 >/dev/null 2>&1 &
started+=($!)
tarvex_wait_for 10 window_open 'Build log' && tarvex_wait_for 10 window_open 'Notes' ||
  echo "note: not every demo program opened its window" >&2

mkdir -p "$root/build/run-config"
XDG_CONFIG_HOME="$root/build/run-config" "$tarvex" >/dev/null 2>&1 &
started+=($!)
if ! tarvex_wait_for 20 window_open 'Tarvex 1.0'; then
  echo "run: Tarvex did not open its window" >&2
  exit 1
fi
sleep 1  # lets Tarvex fill its list and draw it

mkdir -p "$(dirname "$shot")"
import -window root "$shot" || exit 1
echo "$shot"
