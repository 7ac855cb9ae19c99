#!/bin/sh
# Builds the three file-reader fuzz targets with libFuzzer and the address and
# undefined-behaviour sanitizers, then runs each for a bounded time.
# Usage: fuzz/run.sh [seconds-per-target]   (default 60)
set -eu
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-60}
OUT=build-fuzz
mkdir -p "$OUT"
CXX=${CXX:-clang++}
FLAGS="-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I."
# The whole core, as the console links it: the readers reach the tables and their history.
CORE=$(echo document/*.cpp engine/*.cpp link/*.cpp)
status=0
for target in LayoutFuzz ChaseFuzz CueFuzz; do
    $CXX $FLAGS "fuzz/$target.cpp" $CORE -o "$OUT/$target"
    mkdir -p "$OUT/corpus-$target"
    # A valid line or two to start from.
    case $target in
    LayoutFuzz) printf 'color|2|255|0|0|red\nrow|3|1|2|3|5|0|0|\nstar|0|\ndemo|1|\nWINDOW|MAIN|10|500|20|700|\n' ;;
    ChaseFuzz) printf 'Sweep|1|none|%0120d|\nSweep|2|t|1%0119d|\n' 0 0 ;;
    CueFuzz) printf 'ChaseList_Selected|default.B5|\nOpening|Sweep|1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 1 20 -1|\n' ;;
    esac >"$OUT/corpus-$target/seed"
    echo "== $target: ${SECONDS_EACH}s"
    if ! "$OUT/$target" -max_total_time="$SECONDS_EACH" -max_len=8192 -print_final_stats=1 \
        -artifact_prefix="$OUT/$target-" "$OUT/corpus-$target" 2>"$OUT/$target.log"; then
        status=1
        echo "$target found a crash; see $OUT/$target.log"
    fi
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb|ERROR|invariant failed" "$OUT/$target.log" || true
done
exit $status
