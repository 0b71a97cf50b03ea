#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR/lib
# Builds Tarvex for Windows and starts it under Wine.
#
#   scripts/run-windows.sh [screenshot.png]
#
# On a working $DISPLAY, Tarvex runs in the foreground until it is closed. Without one, a virtual
# display is started with a few Wine programs open, Tarvex is started among them, a screenshot is
# written (default build/screenshots/tarvex-<time>.png), its path printed, and all is stopped.
#
# The shipped build is the 32-bit one (preset mingw-i686); where this machine's Wine cannot run
# 32-bit programs, the 64-bit one (mingw-x86_64) is built and run instead.
set -uo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/lib/virtual-display.sh"
source "$root/scripts/lib/wine-env.sh"
cd "$root" || exit 1

"$root/scripts/install-deps.sh" windows || exit 1

tarvex_wine_pick_loader || exit 1
preset=mingw-i686
if [ "$TARVEX_WINE_32BIT" != yes ]; then
  echo "note: this machine's Wine cannot run 32-bit programs; building the 64-bit edition" >&2
  preset=mingw-x86_64
fi
if [ ! -f "build/$preset/build.ninja" ]; then
  cmake --preset "$preset" >/dev/null || exit 1
fi
cmake --build --preset "$preset" --target tarvex || exit 1
tarvex="$root/build/$preset/bin/tarvex.exe"

tarvex_stop_all_on_exit

# Its own prefix: the tests end every program of theirs when they finish.
if tarvex_display_works; then
  tarvex_wine_env "$root/build/wineprefix-run" || exit 1
  tarvex_wine "$tarvex"
  exit $?
fi

shot="${1:-$root/build/screenshots/tarvex-$(date +%Y%m%d-%H%M%S).png}"
tarvex_display_start || exit 1
tarvex_wine_env "$root/build/wineprefix-run" || exit 1

window_open() {
  wmctrl -l | grep -q -E " $1\$"
}

for program in notepad winemine regedit; do
  tarvex_wine "$program" >/dev/null 2>&1 &
done
tarvex_wait_for 20 window_open 'Untitled - Notepad' && tarvex_wait_for 20 window_open 'WineMine' &&
  tarvex_wait_for 20 window_open 'Registry Editor' ||
  echo "note: not every demo program opened its window" >&2
# Side by side, so that the screenshot shows what Tarvex lists.
wmctrl -F -r 'Untitled - Notepad' -e 0,20,400,560,360
wmctrl -F -r 'WineMine' -e 0,1000,20,-1,-1
wmctrl -F -r 'Registry Editor' -e 0,620,400,640,360

tarvex_wine "$tarvex" >/dev/null 2>&1 &
if ! tarvex_wait_for 20 window_open 'Tarvex 1.0'; then
  echo "run: Tarvex did not open its window" >&2
  exit 1
fi
sleep 1  # lets Tarvex fill its list and draw it

mkdir -p "$(dirname "$shot")"
import -window root "$shot" || exit 1
echo "$shot"
