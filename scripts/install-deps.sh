#!/usr/bin/env bash
# Installs what Tarvex needs on Debian 12, and nothing when it is all there.
#
#   scripts/install-deps.sh linux     build and run the Linux edition
#   scripts/install-deps.sh windows   build the Windows edition and run it under Wine
#   scripts/install-deps.sh all       everything the test command needs (the default)
#
# A package index that cannot be fetched, or a package that cannot be had, is reported in one line
# and does not stop the rest: everything that can be installed is. 32-bit Wine (wine32:i386) is
# optional: without it the 32-bit Windows tests report Skipped. Exits non-zero only when a package
# the chosen set cannot do without is still missing.
set -uo pipefail

linux=(
  cmake ninja-build g++ pkg-config qt6-base-dev qt6-qpa-plugins fonts-dejavu-core
  libxcb1-dev libxcb-ewmh-dev libxcb-icccm4-dev libxcb-res0-dev libxcb-keysyms1-dev
  xvfb openbox x11-utils wmctrl imagemagick trayer xterm x11-apps
)
windows=(
  cmake ninja-build g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  wine wine64 fonts-wine xvfb openbox x11-utils wmctrl xdotool imagemagick zip
)
tests=(
  googletest libgtest-dev clang libclang-rt-14-dev xdotool python3 libsm-dev
  desktop-file-utils appstream dpkg-dev unzip shellcheck clang-tidy clang-format
  dbus at-spi2-core python3-pyatspi gir1.2-atspi-2.0
)
optional=(wine32:i386)

case "${1:-all}" in
  linux) wanted=("${linux[@]}") ;;
  windows) wanted=("${windows[@]}" "${optional[@]}") ;;
  all) wanted=("${linux[@]}" "${windows[@]}" "${tests[@]}" "${optional[@]}") ;;
  *)
    echo "usage: $0 [linux|windows|all]" >&2
    exit 2
    ;;
esac

have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
is_optional() {
  local p
  for p in "${optional[@]}"; do [ "$p" = "$1" ] && return 0; done
  return 1
}
missing() {
  local p seen=" "
  for p in "${wanted[@]}"; do
    case "$seen" in *" $p "*) continue ;; esac
    seen+="$p "
    have "$p" || echo "$p"
  done
}

mapfile -t need < <(missing)
[ ${#need[@]} -eq 0 ] && exit 0

# An optional package that could not be had is asked for again only after an hour, so that the
# scripts that call this one in turn do not each wait for the package indexes.
tried="${TMPDIR:-/tmp}/tarvex-install-deps.optional-missing"
only_optional=yes
for p in "${need[@]}"; do is_optional "$p" || only_optional=no; done
if [ "$only_optional" = yes ] && [ -n "$(find "$tried" -mmin -60 2>/dev/null)" ]; then
  exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
echo "install-deps: installing ${need[*]}"
for p in "${need[@]}"; do
  if [[ "$p" == *:i386 ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
done

# apt-get update exits non-zero when any one index fails (a mirror mid-sync, say); the others
# are still read, so go on with what came.
update_log="$(mktemp)"
if ! $sudo apt-get update -qq >"$update_log" 2>&1; then
  echo "install-deps: some package indexes could not be fetched:" \
    "$(grep -o 'Failed to fetch [^ ]*' "$update_log" | sed 's/Failed to fetch //' | tr '\n' ' ')"
fi
rm -f "$update_log"

install() {
  $sudo apt-get install -y -qq --no-install-recommends "$@" >/dev/null 2>&1
}
if ! install "${need[@]}"; then
  # One package that cannot be had fails the whole call: take them one by one.
  for p in "${need[@]}"; do install "$p"; done
fi

mapfile -t still < <(missing)
[ ${#still[@]} -eq 0 ] && exit 0
required=()
for p in "${still[@]}"; do is_optional "$p" || required+=("$p"); done
[ ${#required[@]} -ne 0 ] || touch "$tried"
echo "install-deps: could not install ${still[*]}" \
  "$([ ${#required[@]} -eq 0 ] && echo '(optional; the tests that need it are skipped)')"
[ ${#required[@]} -eq 0 ]
