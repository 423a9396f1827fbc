#!/usr/bin/env bash
# Sets up, builds and runs every test headless: the unit, widget and end-to-end tests,
# the unit tests once more under AddressSanitizer (with leak checks) and UndefinedBehaviorSanitizer,
# and the benchmarks, which print their figures beside their targets. The game itself is
# also built with Clang, whose warnings, like GCC's, are errors.
# Every option is given, so a tree left by play.sh or an earlier build is brought back
# to what the tests need; a run that finds no test or no benchmark fails.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen

echo "== Build (Release)"
bash "$top/scripts/build.sh" "$top/build" -DCMAKE_BUILD_TYPE=Release \
  -DKALMENO_TESTS=ON -DKALMENO_BENCH=ON -DKALMENO_SANITIZE=OFF
echo "== Tests"
ctest --test-dir "$top/build" --output-on-failure --no-tests=error -j"$(nproc)"

echo "== Build (sanitizers)"
bash "$top/scripts/build.sh" "$top/build-sanitize" -DCMAKE_BUILD_TYPE=Debug \
  -DKALMENO_TESTS=ON -DKALMENO_BENCH=OFF -DKALMENO_SANITIZE=ON
echo "== Unit tests under the sanitizers"
(. "$top/scripts/sanitizer-env.sh" &&
  ctest --test-dir "$top/build-sanitize" --output-on-failure --no-tests=error -j"$(nproc)" -L unit)

echo "== Build (Clang, the game only)"
bash "$top/scripts/build.sh" "$top/build-clang" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release \
  -DKALMENO_TESTS=OFF -DKALMENO_BENCH=OFF -DKALMENO_SANITIZE=OFF

echo "== Benchmarks"
bash "$top/bench/run.sh" "$top/build"
