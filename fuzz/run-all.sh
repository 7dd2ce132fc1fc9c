#!/usr/bin/env bash
# Runs every fuzz target in BUILD/fuzz for SECONDS each, seeded from
# fuzz/seeds/<target>/ when present. Any crash or sanitizer report fails.
set -euo pipefail
build="$1"
seconds="${2:-60}"
here="$(cd "$(dirname "$0")" && pwd)"
export ASAN_OPTIONS=detect_leaks=0
status=0
for target in "$build"/fuzz/*_fuzz; do
  [ -x "$target" ] || continue
  name="$(basename "$target")"
  corpus="$build/fuzz-corpus/$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "$here/seeds/$name" ] && seeds+=("$here/seeds/$name")
  echo "fuzzing $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -timeout=30 -max_len=8192 -artifact_prefix="$build/" -rss_limit_mb=4096 -print_final_stats=1 \
        "$corpus" "${seeds[@]}" > "$build/$name.log" 2>&1; then
    tail -50 "$build/$name.log"
    status=1
  else
    grep -E "stat::number_of_executed_units" "$build/$name.log" || true
  fi
done
exit $status
