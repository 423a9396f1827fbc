#!/usr/bin/env bash
# Runs every benchmark of a build tree once and prints its figures beside their targets.
# A missed figure is reported, not failed on: the machine's load is not the code's fault.
set -uo pipefail
build=$1
missed=()
shopt -s nullglob
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "-- $(basename "$b")"
  "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true || missed+=("$(basename "$b")")
done

echo "-- bench_idle"
python3 "$(dirname "$0")/bench_idle.py" "$build/Kalmeno/bin/kalmeno" || missed+=(bench_idle)

if [ ${#missed[@]} -gt 0 ]; then
  echo "Benchmarks that missed a target: ${missed[*]}"
fi
exit 0
