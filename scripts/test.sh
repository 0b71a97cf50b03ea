#!/usr/bin/env bash
# Runs every test of Tarvex: installs what is missing; builds natively, with the address and
# undefined-behaviour sanitizers, the core and the X11 layer with their tests; the Windows edition
# for i686 and x86_64; the fuzz targets (the settings file's parsers, the X11 layer's reply
# decoders); the Linux edition, and its release build and Debian package. Fuzzes each target for a
# bounded time; then runs two CTest passes: one covers the core and the X11 layer natively, the
# habits of the tree (the arrows between folders, clang-format, clang-tidy, shellcheck) and,
# under Wine on a virtual display, the core, the Win32 layer and the end-to-end tests of both
# Windows builds, and the Windows release zip; the other covers the Linux edition (its X11 layer,
# its Qt views and dialogs, end to end on Xvfb, installed with cmake --install and from the
# package).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh all

wine_builds=()
for preset in mingw-i686 mingw-x86_64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  wine_builds+=("$PWD/build/$preset")
done

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
scripts/fuzz.sh "${TARVEX_FUZZ_SECONDS:-30}"

cmake --preset native -DTARVEX_WINE_BUILDS="$(IFS=';'; echo "${wine_builds[*]}")" >/dev/null
cmake --build --preset native
cmake --preset linux >/dev/null
cmake --build --preset linux
cmake --workflow --preset deb >/dev/null

# CTest hides a skipped test's output; its first "skipped:" line says why.
print_skip_reasons() {
  awk '/^[0-9]+\/[0-9]+ Test: / { name = $3 }
       /skipped: / && name != "" { sub(/^.*skipped: /, ""); print "skipped " name ": " $0; name = "" }' \
    "build/$1/Testing/Temporary/LastTest.log"
}

status=0
ctest --preset native || status=1
print_skip_reasons native
ctest --preset linux || status=1
print_skip_reasons linux
exit "$status"
