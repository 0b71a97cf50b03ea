# shellcheck shell=bash
# Sourceable: an X display for Tarvex's tests and demo runs.
#
#   tarvex_display_ensure [--managed]
#                           use $DISPLAY when it answers (and, with --managed, has an EWMH
#                           window manager), else start a virtual one; TARVEX_VIRTUAL_DISPLAY=1
#                           always starts one
#   tarvex_display_start [--bare]
#                           start Xvfb (1280x800x24) on a free number and openbox on it
#                           (--bare: no window manager)
#   tarvex_display_stop     stop what tarvex_display_start started, nothing else
#   tarvex_end_processes <pid...>
#                           end the processes a test started and wait for them
#
# Call tarvex_display_stop from the caller's EXIT trap; it is safe to call twice.

TARVEX_XVFB_PID=""
TARVEX_WM_PID=""
TARVEX_DISPLAY_LOGDIR=""
TARVEX_DISPLAY_SAVED=""

# True when the display answers within a few seconds.
tarvex_display_works() {
  local display="${1:-${DISPLAY:-}}"
  [ -n "$display" ] && timeout 5 xdpyinfo -display "$display" >/dev/null 2>&1
}

# Ends the processes a test started, by their ids, and waits for each; empty ids are skipped.
tarvex_end_processes() {
  local pid
  for pid; do
    [ -n "$pid" ] || continue
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
}

# Polls "$@" every 0.1 s until it succeeds or $1 seconds have passed.
tarvex_wait_for() {
  local seconds="$1"
  shift
  local tries=$((seconds * 10))
  while ! "$@" >/dev/null 2>&1; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}

tarvex_display_ensure() {
  if [ "${TARVEX_VIRTUAL_DISPLAY:-0}" != 1 ] && tarvex_display_works &&
    { [ "${1:-}" != --managed ] || timeout 5 wmctrl -m >/dev/null 2>&1; }; then
    return 0
  fi
  tarvex_display_start
}

tarvex_display_start() {
  TARVEX_DISPLAY_SAVED="${DISPLAY-}"
  TARVEX_DISPLAY_LOGDIR="$(mktemp -d "${TMPDIR:-/tmp}/tarvex-display.XXXXXX")"
  # The server picks a free number itself and reports it (-displayfd): two runs starting at the
  # same moment can never end up sharing one display.
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset \
    3>"$TARVEX_DISPLAY_LOGDIR/number" >"$TARVEX_DISPLAY_LOGDIR/xvfb.log" 2>&1 &
  TARVEX_XVFB_PID=$!
  if ! tarvex_wait_for 10 grep -q . "$TARVEX_DISPLAY_LOGDIR/number" ||
    ! tarvex_xvfb_wait_ready ":$(head -n1 "$TARVEX_DISPLAY_LOGDIR/number")"; then
    echo "virtual-display: Xvfb did not start:" >&2
    cat "$TARVEX_DISPLAY_LOGDIR/xvfb.log" >&2
    tarvex_display_stop
    return 1
  fi
  DISPLAY=":$(head -n1 "$TARVEX_DISPLAY_LOGDIR/number")"
  export DISPLAY
  [ "${1:-}" = --bare ] && return 0

  # Without an EWMH manager there is no _NET_CLIENT_LIST and no polite close.
  openbox --sm-disable >"$TARVEX_DISPLAY_LOGDIR/openbox.log" 2>&1 &
  TARVEX_WM_PID=$!
  if ! tarvex_wait_for 10 wmctrl -m; then
    echo "virtual-display: openbox did not start on $DISPLAY:" >&2
    cat "$TARVEX_DISPLAY_LOGDIR/openbox.log" >&2
    tarvex_display_stop
    return 1
  fi
}

# Gives up at once when our Xvfb exits, else after 10 s.
tarvex_xvfb_wait_ready() {
  local tries=100
  until tarvex_display_works "$1"; do
    kill -0 "$TARVEX_XVFB_PID" 2>/dev/null || return 1
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}

tarvex_display_stop() {
  local pid
  for pid in "$TARVEX_WM_PID" "$TARVEX_XVFB_PID"; do
    [ -n "$pid" ] || continue
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  if [ -n "$TARVEX_XVFB_PID" ]; then
    if [ -n "$TARVEX_DISPLAY_SAVED" ]; then
      export DISPLAY="$TARVEX_DISPLAY_SAVED"
    else
      unset DISPLAY
    fi
  fi
  TARVEX_WM_PID=""
  TARVEX_XVFB_PID=""
  [ -z "$TARVEX_DISPLAY_LOGDIR" ] || rm -rf "$TARVEX_DISPLAY_LOGDIR"
  TARVEX_DISPLAY_LOGDIR=""
}
