#!/usr/bin/env bash
# Fuzzes the settings file's parsers and the X11 layer's reply decoders, one target after the
# other, each for the given number of seconds (default 30) or, with --runs, for that many
# executions, from the seeds in tests/fuzz/seeds (settings) and the corpus kept under build/fuzz.
# Prints how long each ran and how it ended. Needs the fuzz preset built.
#
#   scripts/fuzz.sh [seconds]
#   scripts/fuzz.sh --runs N
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "${1:-}" == --runs ]]; then
  limit=(-runs="${2:?--runs needs a count}")
  what="${2} inputs"
else
  limit=(-max_total_time="${1:-30}")
  what="${1:-30} s"
fi

fuzz() {
  local target=$1 title=$2 seeds=$3
  local fuzzer=build/fuzz/bin/$target corpus=build/fuzz/corpus/$target log=build/fuzz/$target.log
  mkdir -p "$corpus"
  if [[ -n "$seeds" ]]; then cp -n "$seeds"/* "$corpus/"; fi
  local start=$SECONDS
  if "$fuzzer" "${limit[@]}" -timeout=5 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix=build/fuzz/ "$corpus" >"$log" 2>&1; then
    local runs
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz: $title: ${runs:-?} inputs in $((SECONDS - start)) s ($what asked), no failure (log: $log)"
  else
    echo "fuzz: $title FAILED; the crashing input is named in $log:" >&2
    tail -n 40 "$log" >&2
    return 1
  fi
}

fuzz settings_fuzz "settings parsers" tests/fuzz/seeds
fuzz x11_replies_fuzz "X11 reply decoders" ""
