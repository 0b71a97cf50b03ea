#!/usr/bin/env bash
# Checks the habits the tree keeps, as the test command does:
#
#   scripts/check-habits.sh shell   shellcheck over every shell script in the repository
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
  *)
    echo "usage: $0 shell" >&2
    exit 2
    ;;
esac
