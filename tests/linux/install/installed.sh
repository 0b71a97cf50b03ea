#!/usr/bin/env bash
# Tarvex installed as users install it, from the release build (cmake --workflow --preset deb).
#
#   installed.sh prefix <release build folder>
#       `cmake --install` into a fresh prefix puts the binary, the desktop entry, the icon at every
#       theme size and the AppStream metainfo in place, and the entry and metainfo are valid; a
#       prefix the installer may not write gives its own clear error.
#   installed.sh package <tarvex_VERSION_ARCH.deb>
#       the package installs with dpkg, the installed tarvex opens its window on a virtual
#       display, and removing the package leaves nothing of it behind.
#
# Exits 0 when all holds, 1 when something does not, 77 (skipped) when what it needs is missing.
set -u
mode="$1"
subject="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=../../../scripts/lib/virtual-display.sh disable=SC1091
source "$here/../../../scripts/lib/virtual-display.sh"

scratch="$(mktemp -d "${TMPDIR:-/tmp}/tarvex-installed.XXXXXX")"
chmod 755 "$scratch"
tarvex_pid=""
package_installed=""
finish() {
  [ -z "$tarvex_pid" ] || { kill "$tarvex_pid" 2>/dev/null; wait "$tarvex_pid" 2>/dev/null; }
  [ -z "$package_installed" ] || dpkg --purge tarvex >/dev/null 2>&1
  tarvex_display_stop
  rm -rf "$scratch"
}
trap finish EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
skip() {
  echo "skipped: $*"
  exit 77
}
theme_sizes=(16 32 48 64 128 256)
desktop_entry=share/applications/example.kelvo.Tarvex.desktop
metainfo=share/metainfo/example.kelvo.Tarvex.metainfo.xml

# The installed files under prefix $1, and that the validators (where present) take them.
check_tree() {
  local prefix="$1" size
  [ -x "$prefix/bin/tarvex" ] || fail "$prefix/bin/tarvex is not there"
  for size in "${theme_sizes[@]}"; do
    file "$prefix/share/icons/hicolor/${size}x${size}/apps/tarvex.png" 2>/dev/null |
      grep -q "PNG image data, $size x $size" || fail "no ${size}x${size} icon in the theme"
  done
  [ -f "$prefix/$desktop_entry" ] || fail "no desktop entry"
  [ -f "$prefix/$metainfo" ] || fail "no metainfo"
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/$desktop_entry" || fail "the desktop entry is not valid"
  fi
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/$metainfo" >/dev/null ||
      fail "the metainfo is not valid: $(appstreamcli validate --no-net "$prefix/$metainfo")"
  fi
}

# Starts $1 on a display of its own with settings under the scratch folder; true once its window
# shows. Closes it again.
opens_its_window() {
  tarvex_display_start || skip "no virtual display"
  mkdir -p "$scratch/config"
  env -u windir XDG_CONFIG_HOME="$scratch/config" "$1" >"$scratch/tarvex.log" 2>&1 &
  tarvex_pid=$!
  local shown=0
  tarvex_wait_for 20 sh -c 'wmctrl -l | grep -q " Tarvex 1.0$"' && shown=1
  wmctrl -c "Tarvex 1.0" 2>/dev/null
  tarvex_wait_for 10 sh -c "! kill -0 $tarvex_pid" || fail "the installed tarvex did not close"
  tarvex_pid=""
  tarvex_display_stop
  [ "$shown" = 1 ] || cat "$scratch/tarvex.log" >&2
  [ "$shown" = 1 ]
}

case "$mode" in
  prefix)
    [ -f "$subject/cmake_install.cmake" ] ||
      skip "no release build in $subject (cmake --workflow --preset deb makes it)"
    cmake --install "$subject" --prefix "$scratch/prefix" >/dev/null || fail "cmake --install failed"
    check_tree "$scratch/prefix"
    # Root writes anywhere: ask as nobody, who may read the build but not write the prefix.
    mkdir "$scratch/locked"
    chmod 555 "$scratch/locked"
    as_user=()
    [ "$(id -u)" -ne 0 ] || as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    if output="$("${as_user[@]}" cmake --install "$subject" --prefix "$scratch/locked/usr" 2>&1)"; then
      fail "installing into a folder that may not be written succeeded"
    elif ! grep -q "cannot create directory: $scratch/locked/usr" <<<"$output"; then
      fail "installing into a locked folder said: $output"
    fi
    ;;
  package)
    [ -f "$subject" ] || skip "no package at $subject (cmake --workflow --preset deb makes it)"
    [ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
    if dpkg-query -W -f='${Status}' tarvex 2>/dev/null | grep -q 'install ok installed'; then
      skip "a tarvex package is installed on this machine already; not touching it"
    fi
    dpkg-deb -c "$subject" | awk '{ print substr($6, 2) }' | grep -v '/$' >"$scratch/files"
    package_installed=yes
    dpkg -i "$subject" >/dev/null || fail "dpkg -i failed"
    check_tree /usr
    opens_its_window /usr/bin/tarvex || fail "the installed tarvex did not show its window"
    dpkg --purge tarvex >/dev/null || fail "dpkg --purge failed"
    package_installed=""
    while read -r path; do
      [ ! -e "$path" ] || fail "$path is still there after the package was removed"
    done <"$scratch/files"
    [ ! -e /usr/share/doc/tarvex ] || fail "/usr/share/doc/tarvex is still there"
    ;;
  *)
    echo "usage: $0 prefix <release build folder> | package <deb>" >&2
    exit 2
    ;;
esac
[ "$failures" -eq 0 ] && echo "installed.sh $mode: all held"
[ "$failures" -eq 0 ]
