#!/usr/bin/env bash
# Runs a test program of the tray on a virtual display of its own with a window manager; the
# program starts and stops the system tray itself. Exits 77 (skipped) without Xvfb.
set -u
for tool in Xvfb openbox xdotool trayer; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
# shellcheck source=scripts/lib/virtual-display.sh
. "$(dirname "$0")/../../../scripts/lib/virtual-display.sh"
trap tarvex_display_stop EXIT
tarvex_display_start || exit 1
QT_QPA_PLATFORM=xcb "$@"
