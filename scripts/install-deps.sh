#!/usr/bin/env bash
# Installs what building and testing Tarvex needs on Debian 12, and nothing when it is all there.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

packages=(
  cmake ninja-build g++ googletest libgtest-dev clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  wine wine64 wine32:i386 fonts-wine
  xvfb openbox xdotool wmctrl x11-utils imagemagick
  pkg-config qt6-base-dev qt6-qpa-plugins fonts-dejavu-core
  libxcb1-dev libxcb-ewmh-dev libxcb-icccm4-dev libxcb-res0-dev libxcb-keysyms1-dev
  xterm x11-apps trayer
)
for p in "${packages[@]}"; do have "$p" || need+=("$p"); done
[ ${#need[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${need[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
