#!/usr/bin/env bash
# Checks the habits the tree keeps, as the test command does:
#
#   scripts/check-habits.sh shell        shellcheck over every shell script in the repository
#   scripts/check-habits.sh format       clang-format (.clang-format) over every C++ file, changing
#                                        nothing
#   scripts/check-habits.sh tidy BUILD   clang-tidy (.clang-tidy) over the core, with the compile
#                                        commands of the build folder BUILD
#
# Run from anywhere; prints each finding with its file and line and exits non-zero on any.
set -euo pipefail
cd "$(dirname "$0")/.."

case "${1:-}" in
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
    mapfile -t sources < <(git ls-files 'app/*.cpp' 'winlist/*.cpp' 'settings/*.cpp' 'tray/*.cpp')
    printf '%s\0' "${sources[@]}" |
      xargs -0 -n 4 -P 2 clang-tidy --quiet -p "$(dirname "$commands")"
    echo "clang-tidy: ${#sources[@]} files of the core, no findings"
    ;;
  *)
    echo "usage: $0 shell | format | tidy BUILD" >&2
    exit 2
    ;;
esac
