#!/usr/bin/env bash
# Fuzzes the settings file's parsers for the given number of seconds (default 30) from the seeds
# in tests/fuzz/seeds, and prints how long it ran and how it ended. Needs the fuzz preset built.
#
#   scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-30}"
fuzzer=build/fuzz/bin/settings_fuzz
corpus=build/fuzz/corpus
log=build/fuzz/settings_fuzz.log
mkdir -p "$corpus"
cp -n tests/fuzz/seeds/* "$corpus/"

if "$fuzzer" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -print_final_stats=1 \
  "$corpus" >"$log" 2>&1; then
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzz: settings parsers: ${runs:-?} inputs in $seconds s, no failure (log: $log)"
else
  echo "fuzz: settings parsers FAILED; the crashing input is named in $log:" >&2
  tail -n 40 "$log" >&2
  exit 1
fi
