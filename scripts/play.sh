#!/usr/bin/env bash
# Sets up, builds and starts the game.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/setup.sh"
bash "$top/scripts/build.sh" "$top/build" -DCMAKE_BUILD_TYPE=Release -DKALMENO_TESTS=OFF -DKALMENO_BENCH=OFF
exec "$top/build/Kalmeno/bin/kalmeno"
