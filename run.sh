#!/usr/bin/env bash
# Installs what is missing, builds the game (Release) and starts it from the build folder.
#   ./run.sh            the game
#   ./run.sh -editor    the level editor
set -euo pipefail
cd "$(dirname "$0")"

./tools/install-deps.sh game

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DZARUL_TESTS=OFF -DZARUL_BENCH=OFF
cmake --build build -j "$(nproc)"

cd build
exec ./zarul "$@"
