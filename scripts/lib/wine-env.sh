# shellcheck shell=bash
# Sourceable: a private Wine prefix for Tarvex's tests and demo runs.
#
#   tarvex_wine_env [prefix]   export WINEPREFIX (default $TARVEX_WINEPREFIX, else build/wineprefix),
#                              WINEDEBUG=-all and the loader to use; make the prefix when it is
#                              missing or stale
#   tarvex_wine <args...>      run the chosen loader (wine, or wine64 where 32-bit cannot run)
#   tarvex_wine_can_run <exe>  true when this host can run that executable's architecture
#   tarvex_wine_stop           end this prefix's wineserver and every program in it
#   tarvex_wine_lock_session   wait for and hold the prefix alone until this shell exits
#   tarvex_stop_all_on_exit    end the prefix's programs and a started display when the shell exits
#
# Concurrent callers (ctest -j) share the prefix: creating it is serialized with flock.

TARVEX_ROOT="${TARVEX_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
TARVEX_WINE_BIN=""
TARVEX_WINE_32BIT=""

# Debian's `wine` runs the 32-bit loader when it is installed and else falls back to the 64-bit
# one, so `wine --version` answers either way. Use the 32-bit loader only when it really runs here
# (kernels without 32-bit support refuse to start it) and its Windows half is installed; else the
# 64-bit loader, which runs 64-bit programs only.
tarvex_wine_pick_loader() {
  local wine32=/usr/lib/wine/wine wine64
  if [ -x "$wine32" ] && "$wine32" --version >/dev/null 2>&1 &&
    [ -f /usr/lib/i386-linux-gnu/wine/i386-windows/kernel32.dll ]; then
    TARVEX_WINE_BIN="$wine32"
    TARVEX_WINE_32BIT=yes
    export WINELOADER="$wine32"
    return 0
  fi
  for wine64 in /usr/lib/wine/wine64 "$(command -v wine64 2>/dev/null)"; do
    if [ -n "$wine64" ] && [ -x "$wine64" ] && "$wine64" --version >/dev/null 2>&1; then
      TARVEX_WINE_BIN="$wine64"
      TARVEX_WINE_32BIT=no
      export WINELOADER="$wine64"
      return 0
    fi
  done
  echo "wine-env: no working Wine loader (install wine and wine64; wine32:i386 for 32-bit)" >&2
  return 1
}

tarvex_wine() {
  "$TARVEX_WINE_BIN" "$@"
}

# Reads the machine field of the PE header: 0x14c is i386, 0x8664 is x86-64.
tarvex_pe_machine() {
  local pe_offset
  pe_offset=$(od -An -t u4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ') || return 1
  [ -n "$pe_offset" ] || return 1
  od -An -t x2 -j $((pe_offset + 4)) -N 2 "$1" | tr -d ' '
}

tarvex_wine_can_run() {
  case "$(tarvex_pe_machine "$1")" in
    8664) return 0 ;;
    014c) [ "$TARVEX_WINE_32BIT" = yes ] ;;
    *) return 1 ;;
  esac
}

tarvex_wine_env() {
  export WINEPREFIX="${1:-${TARVEX_WINEPREFIX:-$TARVEX_ROOT/build/wineprefix}}"
  export WINEDEBUG=-all
  # Keep Wine from asking to install Mono and Gecko while the prefix is made.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  tarvex_wine_pick_loader || return 1
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    tarvex_wine_prefix_make && tarvex_wine_fonts
  ) 9>"$WINEPREFIX.lock"
}

# The designed font is Tahoma. Wine ships a look-alike but finds it only inside the prefix; without
# it Wine falls back to a wider face and the designed column widths clip their headers.
tarvex_wine_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" font
  for font in /usr/share/wine/fonts/tahoma*.ttf; do
    [ -f "$font" ] && [ ! -f "$fonts/$(basename "$font")" ] && cp "$font" "$fonts/"
  done
  return 0
}

# Any finished prefix will do, except one made while this host could not run 32-bit programs
# when now it can: it lacks its 32-bit half ("could not load kernel32.dll").
tarvex_wine_prefix_usable() {
  [ -f "$WINEPREFIX/system.reg" ] || return 1
  [ "$TARVEX_WINE_32BIT" = no ] || [ -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]
}

tarvex_wine_prefix_make() {
  local started
  tarvex_wine_prefix_usable && return 0
  started=$(date +%s)
  echo "wine-env: making the Wine prefix $WINEPREFIX" >&2
  wineserver -k 2>/dev/null
  rm -rf "$WINEPREFIX"
  # wineboot returns before its helpers finish; the prefix is whole once the wineserver ends.
  if ! "$TARVEX_WINE_BIN" wineboot -i >/dev/null 2>&1 || ! wineserver -w ||
    ! tarvex_wine_prefix_usable; then
    echo "wine-env: wineboot failed for $WINEPREFIX" >&2
    return 1
  fi
  echo "wine-env: prefix ready in $(($(date +%s) - started)) s" >&2
}

tarvex_wine_stop() {
  [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] || return 0
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  return 0
}

# Holds the prefix for this shell until it exits: whoever holds it may end the prefix's programs
# with tarvex_wine_stop without ending another caller's.
tarvex_wine_lock_session() {
  exec 8>"$WINEPREFIX.session.lock"
  if ! flock -w "${TARVEX_WINE_LOCK_WAIT:-600}" 8; then
    echo "wine-env: $WINEPREFIX stayed busy; giving up" >&2
    return 1
  fi
}

# Ends this prefix's programs and the display this shell started when the shell exits, also when
# it is told to stop.
tarvex_stop_all_on_exit() {
  trap 'tarvex_wine_stop; tarvex_display_stop' EXIT
  trap 'exit 143' TERM
  trap 'exit 130' INT
}
