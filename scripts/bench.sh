#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# Runs Tarvex's benchmarks and writes a short table per edition, on stdout and into
# build/bench/latest.md. Figures are medians of repeated passes; nothing is asserted.
#
#   scripts/bench.sh [EDITION...]      editions: windows, and those of bench/*/bench-*.sh
#                                      (default: all of them)
#
# Environment: TARVEX_BENCH_SIZES (default "50 200 500") sets the synthetic desktops' window
# counts; TARVEX_BENCH_PASSES (default 21) and TARVEX_BENCH_STARTS (default 7) the repetitions.
#
# Each edition has a function bench_<edition> that builds what it needs and prints lines of this
# form, which format_table turns into the table:
#   edition TITLE...                       the heading
#   mix NAME WORDS...                      the synthetic desktop's mix for the lines that follow
#   refresh N LISTED FLOOR UNCHANGED REBUILD WITH_ICONS
#                                          milliseconds: the bare floor (enumerate the windows and
#                                          read their captions), a refresh over the unchanged
#                                          desktop, a refresh that rebuilds the entries, and the
#                                          same rebuild with every entry's icon read ("-" where an
#                                          edition does not measure it)
#   start N BARE TARVEX [BARE_CONTROLS]    milliseconds from process start until a bare window
#                                          program's window is shown / Tarvex's first list is /
#                                          the same bare window in a program that loads the
#                                          common controls as Tarvex does (where measured)
#   size NAME BYTES                        a shipped file's size
#   soak SECONDS TARVEX_BEFORE TARVEX_AFTER XSERVER_BEFORE XSERVER_AFTER REFRESH
#                                          resident megabytes of Tarvex and of the X server
#                                          before and after SECONDS of a client retitling itself
#                                          as fast as it can, and the next refresh's milliseconds
# bench_windows is below; another edition adds its part as bench/<edition>/bench-<edition>.sh,
# which defines bench_<edition> and is sourced here.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/virtual-display.sh
source scripts/lib/wine-env.sh

read -r -a SIZES <<<"${TARVEX_BENCH_SIZES:-50 200 500}"
PASSES="${TARVEX_BENCH_PASSES:-21}"
STARTS="${TARVEX_BENCH_STARTS:-7}"

windows_configure() { # folder toolchain-arch
  cmake -S . -B "$1" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-$2.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DTARVEX_TESTS=OFF \
    -DCMAKE_PROJECT_Tarvex_INCLUDE="$PWD/bench/with-bench.cmake" >/dev/null
}

# The shipped build is i686; the figures come from the build this host's Wine can run, on a
# virtual display of their own so that no other window joins the synthetic desktop.
bench_windows() {
  local arch bin
  windows_configure build/bench-i686 i686
  cmake --build build/bench-i686 --target tarvex >&2
  tarvex_wine_pick_loader >&2
  arch=i686
  tarvex_wine_can_run build/bench-i686/bin/tarvex.exe || arch=x86_64
  if [ "$arch" != i686 ]; then
    windows_configure "build/bench-$arch" "$arch"
  fi
  cmake --build "build/bench-$arch" --target tarvex refresh_bench start_bench >&2
  bin="build/bench-$arch/bin"

  (
    export TARVEX_VIRTUAL_DISPLAY=1
    tarvex_stop_all_on_exit
    tarvex_display_ensure >&2 || exit 1
    tarvex_wine_env "$PWD/build/bench-$arch/wineprefix" >&2 || exit 1
    tarvex_wine_lock_session >&2 || exit 1
    echo "edition Windows ($arch build, $("$TARVEX_WINE_BIN" --version 2>/dev/null))"
    local mix program="$PWD/$bin/tarvex.exe"
    for mix in taskbar realistic; do
      case "$mix" in
        taskbar) echo "mix taskbar: most windows shown, as a task bar lists them" ;;
        realistic) echo "mix realistic: nine in ten windows hidden, as on a real desktop" ;;
      esac
      for n in "${SIZES[@]}"; do
        tarvex_wine "$bin/refresh_bench.exe" "$n" "$PASSES" "$mix" | tr -d '\r'
      done
      for n in "${SIZES[@]}"; do
        # Wine sees the Unix file system as drive Z:.
        tarvex_wine "$bin/start_bench.exe" "$n" "Z:${program//\//\\}" \
          "$STARTS" "$mix" | tr -d '\r'
      done
    done
  )
  echo "size tarvex.exe_(i686) $(stat -c %s build/bench-i686/bin/tarvex.exe)"
}

# Targets: unchanged refresh <= 1.3 x floor; rebuild at 200 windows <= 3 x unchanged refresh;
# the X11 pass <= 0.1 x wmctrl -lp at 200 windows; start <= 1.5 x the bare window's;
# tarvex.exe <= 1 MiB; under the retitling client, both resident sizes within 10 % and the next
# refresh under 50 ms.
format_table() {
  awk '
    function verdict(ok) { return ok ? "met" : "**not met**" }
    $1 == "edition" { $1 = ""; printf "### %s\n\n", substr($0, 2) }
    $1 == "mix" { $1 = ""; printf "\n#### Mix %s\n\n", substr($0, 2); refreshHead = startHead = wmctrlHead = 0 }
    $1 == "refresh" {
      unchanged[$2] = $5
      if (!refreshHead++) {
        print "| windows | listed | floor | unchanged refresh | / floor (target 1.3) | rebuild | / unchanged (target 3 at 200) | rebuild, every icon read |"
        print "|---:|---:|---:|---:|---:|---:|---:|---:|"
      }
      r = $5 / $4; q = $6 / $5
      withIcons = ($7 == "" || $7 == "-") ? "-" : sprintf("%.1f ms", $7)
      printf "| %d | %d | %.1f ms | %.1f ms | %.2f %s | %.1f ms | %.2f%s | %s |\n", $2, $3, $4, $5,
        r, verdict(r <= 1.3), $6, q, ($2 == 200 ? " " verdict(q <= 3) : ""), withIcons
    }
    $1 == "wmctrl" {
      if (!wmctrlHead++) {
        print ""
        print "| windows | X11 pass (unchanged refresh) | wmctrl -lp | / wmctrl (target 0.1 at 200) |"
        print "|---:|---:|---:|---:|"
      }
      r = unchanged[$2] / $3
      printf "| %d | %.2f ms | %.1f ms | %.4f%s |\n", $2, unchanged[$2], $3, r,
        ($2 == 200 ? " " verdict(r <= 0.1) : "")
    }
    $1 == "start" {
      if (!startHead++) {
        print ""
        print "| windows | bare window start | Tarvex start to first list | / bare (target 1.5) | bare window with the common controls | Tarvex / that |"
        print "|---:|---:|---:|---:|---:|---:|"
      }
      r = $4 / $3
      controls = ($5 == "") ? "- | -" : sprintf("%.0f ms | %.2f", $5, $4 / $5)
      printf "| %d | %.0f ms | %.0f ms | %.2f %s | %s |\n", $2, $3, $4, r, verdict(r <= 1.5), controls
    }
    $1 == "soak" {
      print ""
      print "| a client retitling itself for | Tarvex resident | X server resident | next refresh (target 50 ms) |"
      print "|---:|---:|---:|---:|"
      t = $4 / $3; x = $6 / $5
      printf "| %d s | %.0f to %.0f MB (%+.0f %%) %s | %.0f to %.0f MB (%+.0f %%) %s | %.1f ms %s |\n",
        $2, $3, $4, (t - 1) * 100, verdict(t <= 1.1), $5, $6, (x - 1) * 100, verdict(x <= 1.1),
        $7, verdict($7 < 50)
    }
    $1 == "size" {
      name = $2; gsub("_", " ", name)
      printf "\n%s: %d bytes (%.0f KiB; target 1 MiB: %s)\n", name, $3, $3 / 1024,
        verdict($3 <= 1048576)
    }
    END { print "" }
  '
}

for part in bench/*/bench-*.sh; do
  # shellcheck source=/dev/null  # each part is checked on its own
  [ -f "$part" ] && source "$part"
done
mapfile -t EDITIONS < <(declare -F | awk '$3 ~ /^bench_/ { sub(/^bench_/, "", $3); print $3 }')

editions=("$@")
[ ${#editions[@]} -gt 0 ] || editions=("${EDITIONS[@]}")
for edition in "${editions[@]}"; do
  if ! declare -F "bench_$edition" >/dev/null; then
    echo "bench: no edition $edition (have: ${EDITIONS[*]})" >&2
    exit 2
  fi
done
mkdir -p build/bench
{
  echo "Benchmarks of $(git rev-parse --short HEAD 2>/dev/null || echo 'this tree'), $(date -u '+%Y-%m-%d %H:%M UTC'); medians."
  echo
  # One edition that cannot run here (no Qt, no Wine) does not keep the others from running.
  # (Not in a condition: there the shell would ignore a failing step inside the edition's part.)
  for edition in "${editions[@]}"; do
    set +e
    (
      set -e
      "bench_$edition"
    ) | format_table
    status=${PIPESTATUS[0]}
    set -e
    if [ "$status" -ne 0 ]; then
      echo "bench: the $edition edition's benchmarks failed" >&2
      echo "The $edition edition's benchmarks failed; see the messages above."
      echo
    fi
  done
} | tee build/bench/latest.md
! grep -q "benchmarks failed" build/bench/latest.md
