#!/usr/bin/env bash
# Checks the habits the tree keeps, as the test command does:
#
#   scripts/check-habits.sh arrows       every include between folders goes down the table below,
#                                        each core folder's library links what the table says,
#                                        and the README draws the same table
#   scripts/check-habits.sh shell        shellcheck over every shell script in the repository
#   scripts/check-habits.sh format       clang-format (.clang-format) over every C++ file, changing
#                                        nothing
#   scripts/check-habits.sh tidy BUILD   clang-tidy (.clang-tidy) over the core, with the compile
#                                        commands of the build folder BUILD
#
# Run from anywhere; prints each finding with its file and line and exits non-zero on any.
set -euo pipefail
cd "$(dirname "$0")/.."

# Which folders the files of each folder may include, besides their own. The core's folders
# build on each other from the top of the list down to the bottom; the editions, the tests and
# the benchmarks sit on the core. "*" is any folder.
arrows="
base:
services: base
winlist: base services
settings: base services
dialogs: base services settings
tray: base services winlist
app: base services winlist settings dialogs tray
win32: base services winlist settings dialogs tray app
linux: base services winlist settings dialogs tray app
bench: *
tests: *
"

case "${1:-}" in
  arrows)
    mapfile -t sources < <(git ls-files '*.cpp' '*.h')
    awk -v table="$arrows" '
      BEGIN {
        n = split(table, lines, "\n")
        for (i = 1; i <= n; i++) {
          if (split(lines[i], words, /[: ]+/) == 0) continue
          known[words[1]] = 1
          for (j = 2; j in words; j++) if (words[j] != "") allowed[words[1], words[j]] = 1
        }
      }
      FNR == 1 { from = FILENAME; sub(/\/.*/, "", from) }
      /^#include "[a-z0-9_]+\// {
        to = $0; sub(/^#include "/, "", to); sub(/\/.*/, "", to)
        if (to == from || !(from in known) || !(to in known)) next
        if ((from, to) in allowed || (from, "*") in allowed) next
        printf "%s:%d: %s/ may not include %s/: %s\n", FILENAME, FNR, from, to, $0
        bad++
      }
      END { exit bad > 0 }' "${sources[@]}"
    # The README draws the same table; a drawing that says otherwise is a finding too.
    drawn="$(awk '/^<!-- arrows:/ { block = 1; next }
                  block && /^```/ { if (inside) exit; inside = 1; next }
                  inside' README.md)"
    if [ "$drawn" != "$(grep . <<<"$arrows")" ]; then
      echo "README.md: the table of arrows under <!-- arrows: --> differs from this script's:"
      diff <(echo "$drawn") <(grep . <<<"$arrows") || true
      exit 1
    fi
    # Each core folder's library links the libraries of the folders it may include, and no other.
    while read -r folder below; do
      grep -q '^tarvex_core_folder(' "$folder/CMakeLists.txt" 2>/dev/null || continue
      linked="$(tr '\n' ' ' <"$folder/CMakeLists.txt" | sed -n 's/.*LINKS\([^)]*\)).*/\1/p' |
        sed 's/tarvex_//g' | xargs)"
      if [ "$linked" != "$below" ]; then
        echo "$folder/CMakeLists.txt: links [$linked], the table of arrows says [$below]"
        exit 1
      fi
    done < <(grep . <<<"$arrows" | tr -d :)
    echo "arrows: ${#sources[@]} files, every include between folders goes down"
    ;;
  shell)
    command -v shellcheck >/dev/null || { echo "skipped: shellcheck is not installed"; exit 77; }
    mapfile -t scripts < <(git ls-files '*.sh' .ci/run)
    shellcheck --external-sources --format=gcc "${scripts[@]}"
    echo "shellcheck: ${#scripts[@]} scripts, no findings"
    ;;
  format)
    command -v clang-format >/dev/null || { echo "skipped: clang-format is not installed"; exit 77; }
    mapfile -t sources < <(git ls-files '*.cpp' '*.h')
    clang-format --dry-run -Werror "${sources[@]}"
    echo "clang-format: ${#sources[@]} files, laid out as .clang-format says"
    ;;
  tidy)
    command -v clang-tidy >/dev/null || { echo "skipped: clang-tidy is not installed"; exit 77; }
    commands="${2:?usage: $0 tidy BUILD}/compile_commands.json"
    [ -f "$commands" ] || { echo "check-habits: no $commands" >&2; exit 2; }
    mapfile -t sources < <(git ls-files 'base/*.cpp' 'winlist/*.cpp' 'settings/*.cpp' \
      'dialogs/*.cpp' 'tray/*.cpp' 'app/*.cpp')
    printf '%s\0' "${sources[@]}" |
      xargs -0 -n 4 -P 2 clang-tidy --quiet -p "$(dirname "$commands")"
    echo "clang-tidy: ${#sources[@]} files of the core, no findings"
    ;;
  *)
    echo "usage: $0 arrows | shell | format | tidy BUILD" >&2
    exit 2
    ;;
esac
