#!/usr/bin/env bash
# Runs every benchmark of a build tree once and prints its figures.
set -euo pipefail
build=$1
shopt -s nullglob
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "-- $(basename "$b")"
  "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
done

echo "-- bench_idle"
python3 "$(dirname "$0")/bench_idle.py" "$build/Kalmeno/bin/kalmeno"
