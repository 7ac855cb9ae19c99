#!/usr/bin/env bash
# Installs what is missing and builds into build/: the named targets, or everything.
#   tools/build.sh                       every target, tests and benchmarks included
#   tools/build.sh glimmerbox treemonitor  only these (and what they link)
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -gt 0 ]; then
  tools/install-deps.sh --console
else
  tools/install-deps.sh
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLIMMER_WERROR=ON >/dev/null
cmake --build build -j"$(nproc)" ${1:+--target "$@"}
