#!/usr/bin/env bash
# Builds the Windows release of Tarvex into a zip.
#
#   scripts/release-windows.sh [output folder]     (default: dist/)
#
# Writes tarvex-<version>-windows.zip: the 32-bit tarvex.exe that users run, the 64-bit build in
# 64-bit/, the README and the licence. Both programs carry the project's version in their version
# resource. Prints the zip's path.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$(realpath -m "${1:-$root/dist}")"
cd "$root"

scripts/install-deps.sh windows >&2 || true
command -v zip >/dev/null || { echo "release-windows: zip is missing (apt-get install zip)" >&2; exit 1; }

for preset in mingw-i686 mingw-x86_64; do
  [ -f "build/$preset/build.ninja" ] || cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target tarvex >&2
done
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/mingw-i686/CMakeCache.txt)"
name="tarvex-$version-windows"

stage="$(mktemp -d "${TMPDIR:-/tmp}/tarvex-release.XXXXXX")"
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/$name/64-bit"
cp build/mingw-i686/bin/tarvex.exe "$stage/$name/tarvex.exe"
cp build/mingw-x86_64/bin/tarvex.exe "$stage/$name/64-bit/tarvex.exe"
# Text files as Windows programs read them, with CR LF.
sed 's/$/\r/' README.md >"$stage/$name/README.md"
sed 's/$/\r/' LICENSE >"$stage/$name/LICENSE.txt"
touch -d "@${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}" \
  "$stage/$name" "$stage/$name"/* "$stage/$name/64-bit"/*

mkdir -p "$out"
rm -f "$out/$name.zip"
(cd "$stage" && zip -q -X -r "$out/$name.zip" "$name")
echo "$out/$name.zip"
