#!/usr/bin/env bash
# Runs the test suites as a loaded machine does, ROUNDS times (3 when not given):
#   the whole Release suite at -j(cores);
#   the unit suite at -j(2 x cores) beside one busy process per core;
#   the Release and the sanitizer unit suites at the same time;
#   the test command's stages on a loaded CI runner: the whole Release suite, then the sanitizer
#   unit suite, at -j(cores) beside one busy process per core and a writer that syncs 1 MiB files
#   in the temporary folder the tests write to.
# Builds both trees first, as test.sh does. Every pass runs even after one failed. Then it lists
# the slowest tests with their time as a share of their bound (their ctest TIMEOUT) and fails when
# one passed a half: the margin shrinks here before a slower machine fails on it. The exit status
# is 0 only when all passed with that margin. A test that fails here and passes alone is a fault
# to find.
#
#     bash scripts/stress-tests.sh [ROUNDS]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-3}
cores=$(nproc)
export QT_QPA_PLATFORM=offscreen
release="$top/build"
sanitize="$top/build-sanitize"
scratch=$(mktemp -d)

# Load beside the tests: each process dies with this script even when it is killed outright and
# its trap cannot run.
load=()
in_background() {
  setpriv --pdeathsig KILL bash -c "$1" &
  load+=($!)
}
start_busy() {
  for _ in $(seq 1 "$cores"); do in_background 'while :; do :; done'; done
}
start_writer() {
  in_background "while :; do dd if=/dev/zero of='$scratch/synced' bs=1M count=1 conv=fsync status=none; done"
}
stop_load() {
  if [ ${#load[@]} -gt 0 ]; then
    kill "${load[@]}" 2>/dev/null || true
    wait "${load[@]}" 2>/dev/null || true
    load=()
  fi
}
trap 'stop_load; rm -rf "$scratch"' EXIT
trap 'exit 130' INT TERM

echo "== Build (Release)"
bash "$top/scripts/build.sh" "$release" -DCMAKE_BUILD_TYPE=Release \
  -DKALMENO_TESTS=ON -DKALMENO_BENCH=ON -DKALMENO_SANITIZE=OFF
echo "== Build (sanitizers)"
bash "$top/scripts/build.sh" "$sanitize" -DCMAKE_BUILD_TYPE=Debug \
  -DKALMENO_TESTS=ON -DKALMENO_BENCH=OFF -DKALMENO_SANITIZE=ON

# suite RUN TREE CTEST_OPTIONS...: ctest on a tree, the sanitizer tree with the sanitizers'
# settings. Its output is kept as $scratch/logs/TREE.RUN.log for the margins.
mkdir "$scratch/logs"
suite() {
  local run=$1 tree=$2
  shift 2
  (
    if [ "$tree" = "$sanitize" ]; then . "$top/scripts/sanitizer-env.sh"; fi
    ctest --test-dir "$tree" --output-on-failure --no-tests=error "$@"
  ) 2>&1 | tee "$scratch/logs/$(basename "$tree").$run.log"
}

failed=()
for round in $(seq 1 "$rounds"); do
  echo "== Round $round of $rounds: the whole Release suite at -j$cores"
  suite "round $round, whole suite" "$release" -j"$cores" || failed+=("round $round: whole suite")

  echo "== Round $round of $rounds: the unit suite at -j$((2 * cores)) beside $cores busy processes"
  start_busy
  suite "round $round, beside busy processes" "$release" -j"$((2 * cores))" -L unit ||
    failed+=("round $round: unit suite beside busy processes")
  stop_load

  echo "== Round $round of $rounds: the Release and sanitizer unit suites at once"
  suite "round $round, beside the Release suite" "$sanitize" -j"$cores" -L unit >/dev/null &
  sanitized=$!
  suite "round $round, beside the sanitizer suite" "$release" -j"$cores" -L unit ||
    failed+=("round $round: Release unit suite beside the sanitizer suite")
  wait "$sanitized" || failed+=("round $round: sanitizer unit suite beside the Release suite")
  cat "$scratch/logs/$(basename "$sanitize").round $round, beside the Release suite.log"

  echo "== Round $round of $rounds: the test command's stages beside $cores busy processes and a syncing writer"
  start_busy
  start_writer
  suite "round $round, on a loaded runner" "$release" -j"$cores" || failed+=("round $round: whole suite on a loaded runner")
  suite "round $round, on a loaded runner" "$sanitize" -j"$cores" -L unit ||
    failed+=("round $round: sanitizer unit suite on a loaded runner")
  stop_load
done

echo "== Margins: the slowest tests' time as a share of their bound; none may pass a half"
margins() {
  python3 - "$top" "$scratch/logs" <<'EOF'
import json, pathlib, re, subprocess, sys

top, logs = sys.argv[1], pathlib.Path(sys.argv[2])
# "  3/411 Test  #12: Suite.Name ......   Passed    3.45 sec", also for a failure or a timeout;
# a name may hold spaces ("Suite.Name/ramfs  # GetParam() = ...").
finished = re.compile(r"Test +#\d+: (.+?) \.+ *(?:\*\*\*)?[A-Z].*?([\d.]+) sec$", re.MULTILINE)

def bounds(tree):
    listing = subprocess.run(["ctest", "--test-dir", f"{top}/{tree}", "--show-only=json-v1"],
                             capture_output=True, text=True, check=True).stdout
    return {test["name"]: next((p["value"] for p in test.get("properties", []) if p["name"] == "TIMEOUT"), None)
            for test in json.loads(listing)["tests"]}

timed, unbounded, bounds_of = [], {}, {}
for log in sorted(logs.glob("*.log")):
    tree, run = log.stem.split(".", 1)
    bound_of = bounds_of.setdefault(tree, bounds(tree))
    for name, seconds in finished.findall(log.read_text(errors="replace")):
        bound = bound_of.get(name)
        if bound:
            timed.append((float(seconds) / bound, float(seconds), bound, name, f"{tree}, {run}"))
        else:
            unbounded[name] = max(unbounded.get(name, 0.0), float(seconds))

timed.sort(reverse=True)
for share, seconds, bound, name, run in timed[:12]:
    print(f"{share:5.0%} {seconds:7.1f} s of {bound:4.0f} s  {name}  ({run})")
slowest = sorted(unbounded.items(), key=lambda item: -item[1])[:3]
print("Without a bound: " + ", ".join(f"{name} {seconds:.1f} s" for name, seconds in slowest))
over = [name for share, _, _, name, _ in timed if share > 0.5]
if over:
    print("Past half their bound:", *sorted(set(over)), sep="\n  ")
    sys.exit(1)
EOF
}
margins || failed+=("margins: a test passed half its bound")

if [ ${#failed[@]} -gt 0 ]; then
  printf 'Failed: %s\n' "${failed[@]}" >&2
  exit 1
fi
echo "All $rounds rounds passed, every test inside half its bound."
