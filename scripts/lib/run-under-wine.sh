#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# Runs a Windows program under Wine for ctest and exits with the program's exit code.
#
#   run-under-wine.sh <program.exe> [args...]
#
# Uses $DISPLAY when it answers, else a virtual display of its own. Exits 77 (ctest: skipped)
# when this host cannot run the program's architecture, 124 when the program outlives
# TARVEX_WINE_TIMEOUT seconds (default 120). Ends the prefix's programs and its own display on
# every way out.
set -uo pipefail

lib="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$lib/virtual-display.sh"
source "$lib/wine-env.sh"

if [ $# -lt 1 ]; then
  echo "usage: $0 <program.exe> [args...]" >&2
  exit 2
fi
program="$1"
shift
if [ ! -f "$program" ]; then
  echo "run-under-wine: $program does not exist (build its folder first)" >&2
  exit 1
fi

tarvex_wine_pick_loader || exit 1
if ! tarvex_wine_can_run "$program"; then
  echo "run-under-wine: skipped: this host's Wine cannot run $(basename "$program")" \
    "(PE machine $(tarvex_pe_machine "$program"); 32-bit support: $TARVEX_WINE_32BIT)"
  exit 77
fi

tarvex_stop_all_on_exit

tarvex_display_ensure || exit 1
tarvex_wine_env || exit 1
tarvex_wine_lock_session || exit 1

# In the background so that a TERM from ctest reaches the trap at once, not after the program.
timeout --kill-after=5 "${TARVEX_WINE_TIMEOUT:-120}" "$TARVEX_WINE_BIN" "$program" "$@" &
wait $!
status=$?
if [ "$status" -eq 124 ]; then
  echo "run-under-wine: $(basename "$program") still ran after ${TARVEX_WINE_TIMEOUT:-120} s;" \
    "stopped it" >&2
fi
exit "$status"
