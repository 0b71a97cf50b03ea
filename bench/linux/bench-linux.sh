# shellcheck shell=bash
# Sourced by scripts/bench.sh (from the checkout's root, with scripts/lib/virtual-display.sh
# loaded and SIZES, PASSES and STARTS set): the Linux edition's figures, on a virtual display of
# their own with openbox, so that no other window joins the synthetic desktop.
#
# Prints, besides the lines every edition prints (see scripts/bench.sh):
#   wmctrl N MS          milliseconds of `wmctrl -lp` over the same desktop (median)
# and the soak line of a client that retitles itself for TARVEX_BENCH_SOAK seconds (default 30),
# which acts as the window manager of a display of its own.

bench_linux() {
  local build=build/bench-linux n lines wmctrl=()
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEX_LINUX_EDITION=ON \
    -DTARVEX_TESTS=OFF >&2
  cmake --build "$build" --target tarvex refresh_bench start_bench soak_bench >&2
  (
    export TARVEX_VIRTUAL_DISPLAY=1
    trap tarvex_display_stop EXIT
    tarvex_display_ensure --managed >&2 || exit 1
    echo "edition Linux (Qt $(pkg-config --modversion Qt6Widgets 2>/dev/null || echo 6)," \
      "Xvfb with openbox)"
    # The wmctrl lines follow the refresh lines, so that each kind makes one table.
    for n in "${SIZES[@]}"; do
      lines="$("$build/bin/refresh_bench" "$n" "$PASSES")" || exit 1
      grep '^refresh ' <<<"$lines"
      wmctrl+=("$(grep '^wmctrl ' <<<"$lines")")
    done
    printf '%s\n' "${wmctrl[@]}"
    for n in "${SIZES[@]}"; do
      "$build/bin/start_bench" "$n" "$PWD/$build/bin/tarvex" "$STARTS" || exit 1
    done
    # On a display of its own without a manager: openbox reads every change of the caption too,
    # falls behind, and the server's memory would tell of openbox's backlog, not of ours.
    tarvex_display_stop
    tarvex_display_start --bare >&2 || exit 1
    "$build/bin/soak_bench" "$TARVEX_XVFB_PID" "${TARVEX_BENCH_SOAK:-30}" || exit 1
  )
}
