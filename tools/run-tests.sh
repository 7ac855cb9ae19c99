#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
# `tools/run-tests.sh sanitizers` instead builds the tests into build-asan with
# the address and undefined-behaviour sanitizers and runs them there, so a read
# past a table, a leak or undefined behaviour fails the run. Qt needs no
# suppression: what it keeps until exit is still reachable, so the leak check stays on.
# `tools/run-tests.sh threads` builds into build-tsan with the thread sanitizer and
# runs the tests that run the show clock's thread beside the window's.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
if [ "${1:-}" = sanitizers ]; then
  tools/install-deps.sh
  sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined"
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DGLIMMER_WERROR=ON \
    -DCMAKE_CXX_FLAGS="-O1 $sanitize -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitize" >/dev/null
  cmake --build build-asan -j"$(nproc)" --target core_tests console_tests treemonitor
  tools/ctest.sh build-asan -j"$(nproc)"
  exit
fi
if [ "${1:-}" = threads ]; then
  tools/install-deps.sh
  cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DGLIMMER_WERROR=ON \
    -DCMAKE_CXX_FLAGS="-O1 -fsanitize=thread -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" >/dev/null
  cmake --build build-tsan -j"$(nproc)" --target core_tests console_tests
  TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tools/tsan-qt.supp" \
    tools/ctest.sh build-tsan -j"$(nproc)" -R '^(ShowClockTest|ConsoleClockTest|ConsoleTest|ConsoleWireTest|DemoScreenTest)\.'
  exit
fi
tools/build.sh
tools/ctest.sh build -j"$(nproc)"
