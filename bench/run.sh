#!/usr/bin/env bash
# Runs every benchmark of a build tree once, and the benchmarks of the running game in this
# folder, and prints their figures beside their targets. A missed figure (exit status 1) is
# reported, not failed on: the machine's load is not the code's fault. A benchmark that crashes
# or cannot measure (any other status; it says why), or a tree without benchmarks, fails.
set -uo pipefail
build=$1
missed=()
failed=()
found=0

# Sorts one benchmark's exit status into the lists.
record() {
  case $2 in
    0) ;;
    1) missed+=("$1") ;;
    *) failed+=("$1 (exit status $2)") ;;
  esac
}

# Every benchmark gets folders of this run's own (temporary, runtime, home and the XDG ones),
# so that the toolkit and the sound system write nothing elsewhere; removed at the end.
scratch=$(mktemp -d -t kalmeno-bench-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
export TMPDIR=$scratch/tmp XDG_RUNTIME_DIR=$scratch/runtime HOME=$scratch/home
export XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache XDG_DATA_HOME=$HOME/.local/share \
  XDG_STATE_HOME=$HOME/.local/state
mkdir -p -m 700 "$TMPDIR" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" \
  "$XDG_STATE_HOME"

shopt -s nullglob
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] || continue
  found=$((found + 1))
  echo "-- $(basename "$b")"
  "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
  status=$?
  record "$(basename "$b")" "$status"
done
if [ "$found" -eq 0 ]; then
  echo "No benchmarks in $build/bench: configure the tree with -DKALMENO_BENCH=ON" >&2
  exit 1
fi

# The benchmarks of the running game, each given its binary.
for script in "$(dirname "$0")"/bench_*.py; do
  name=$(basename "$script" .py)
  echo "-- $name"
  python3 "$script" "$build/Kalmeno/bin/kalmeno"
  status=$?
  record "$name" "$status"
done

if [ ${#missed[@]} -gt 0 ]; then
  echo "Benchmarks that missed a target: ${missed[*]}"
fi
if [ ${#failed[@]} -gt 0 ]; then
  echo "Benchmarks that failed: ${failed[*]}" >&2
  exit 1
fi
exit 0
