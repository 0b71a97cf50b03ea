#!/usr/bin/env bash
# Runs a test program on an Xvfb display of its own, with openbox (--managed) or without a window
# manager (--bare). Exits 77 when the display cannot be had.
set -u
mode="$1"
shift
for tool in Xvfb openbox wmctrl xdpyinfo; do
  command -v "$tool" >/dev/null 2>&1 || { echo "with-display: $tool is missing" >&2; exit 77; }
done
# shellcheck source=scripts/lib/virtual-display.sh
source "$(dirname "$0")/../../../scripts/lib/virtual-display.sh"
trap tarvex_display_stop EXIT
if [ "$mode" = --bare ]; then
  tarvex_display_start --bare || exit 77
else
  tarvex_display_start || exit 77
fi
"$@"
