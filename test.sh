#!/usr/bin/env bash
# Installs what is missing, builds everything with tests and runs them all headless.
#   ./test.sh              normal build in build-test/
#   ./test.sh --sanitize   AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/;
#                          leaks are reported too, apart from those of the system
#                          libraries named in tools/lsan.supp
set -euo pipefail
cd "$(dirname "$0")"

builddir=build-test
cmake_extra=()
if [ "${1:-}" = "--sanitize" ]; then
    builddir=build-asan
    # Every test starts through tools/sanitize-run.sh, which keeps the GL driver loaded.
    cmake_extra+=(-DZARUL_SANITIZE=ON "-DCMAKE_CROSSCOMPILING_EMULATOR=$PWD/tools/sanitize-run.sh")
fi

./tools/install-deps.sh test

jobs=$(nproc)
cmake -S . -B "$builddir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARUL_TESTS=ON -DZARUL_BENCH=ON "${cmake_extra[@]}"
cmake --build "$builddir" -j "$jobs"

export SDL_VIDEODRIVER=offscreen
export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

cd "$builddir"
# xvfb-run gives the few tests that need a real X display (labelled xvfb) one; every other
# test keeps SDL on the offscreen driver through its own environment.
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j "$jobs" --timeout 600
