#!/usr/bin/env bash
# Runs the test suites as a loaded machine does, ROUNDS times (3 when not given):
#   the whole Release suite at -j(cores);
#   the unit suite at -j(2 x cores) beside one busy process per core;
#   the Release and the sanitizer unit suites at the same time.
# Builds both trees first, as test.sh does. Every pass runs even after one failed; the exit
# status is 0 only when all passed. A test that fails here and passes alone is a fault to find.
#
#     bash scripts/stress-tests.sh [ROUNDS]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-3}
cores=$(nproc)
export QT_QPA_PLATFORM=offscreen
release="$top/build"
sanitize="$top/build-sanitize"

hogs=()
stop_hogs() {
  if [ ${#hogs[@]} -gt 0 ]; then
    kill "${hogs[@]}" 2>/dev/null || true
    wait "${hogs[@]}" 2>/dev/null || true
    hogs=()
  fi
}
trap stop_hogs EXIT
trap 'exit 130' INT TERM

echo "== Build (Release)"
bash "$top/scripts/build.sh" "$release" -DCMAKE_BUILD_TYPE=Release \
  -DKALMENO_TESTS=ON -DKALMENO_BENCH=ON -DKALMENO_SANITIZE=OFF
echo "== Build (sanitizers)"
bash "$top/scripts/build.sh" "$sanitize" -DCMAKE_BUILD_TYPE=Debug \
  -DKALMENO_TESTS=ON -DKALMENO_BENCH=OFF -DKALMENO_SANITIZE=ON

# ctest on a tree with further options; the sanitizer tree gets the sanitizers' settings.
suite() {
  local tree=$1
  shift
  if [ "$tree" = "$sanitize" ]; then
    (. "$top/scripts/sanitizer-env.sh" && ctest --test-dir "$tree" --output-on-failure --no-tests=error "$@")
  else
    ctest --test-dir "$tree" --output-on-failure --no-tests=error "$@"
  fi
}

failed=()
for round in $(seq 1 "$rounds"); do
  echo "== Round $round of $rounds: the whole Release suite at -j$cores"
  suite "$release" -j"$cores" || failed+=("round $round: whole suite")

  echo "== Round $round of $rounds: the unit suite at -j$((2 * cores)) beside $cores busy processes"
  # Each dies with this script even when it is killed outright and its trap cannot run.
  for _ in $(seq 1 "$cores"); do
    setpriv --pdeathsig KILL bash -c 'while :; do :; done' &
    hogs+=($!)
  done
  suite "$release" -j"$((2 * cores))" -L unit || failed+=("round $round: unit suite beside busy processes")
  stop_hogs

  echo "== Round $round of $rounds: the Release and sanitizer unit suites at once"
  log=$(mktemp)
  suite "$sanitize" -j"$cores" -L unit >"$log" 2>&1 &
  sanitized=$!
  suite "$release" -j"$cores" -L unit || failed+=("round $round: Release unit suite beside the sanitizer suite")
  if ! wait "$sanitized"; then
    failed+=("round $round: sanitizer unit suite beside the Release suite")
  fi
  cat "$log"
  rm -f "$log"
done

if [ ${#failed[@]} -gt 0 ]; then
  printf 'Failed: %s\n' "${failed[@]}" >&2
  exit 1
fi
echo "All $rounds rounds passed."
