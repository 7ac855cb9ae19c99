#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
# `tools/run-tests.sh sanitizers` instead builds the tests into build-asan with
# the address and undefined-behaviour sanitizers and runs them there, so a read
# past a table, a leak or undefined behaviour fails the run. Qt needs no
# suppression: what it keeps until exit is still reachable, so the leak check stays on.
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
tools/build.sh
tools/ctest.sh build -j"$(nproc)"
