#!/usr/bin/env bash
# Runs ctest on a build directory. ctest names the tests it skipped but not why,
# so the reason each skipped test gave is printed after its summary.
# Usage: tools/ctest.sh BUILD_DIR [ctest options...]
set -uo pipefail
build=$(cd "$1" && pwd)
shift
results="$build/test-results.xml"
rm -f "$results"
ctest --test-dir "$build" --output-on-failure --output-junit "$results" "$@"
status=$?
if [ -f "$results" ]; then
  # GoogleTest prints "file:line: Skipped" and then the reason given to GTEST_SKIP().
  awk '/<testcase name="/ { name = $0; sub(/.*<testcase name="/, "", name); sub(/".*/, "", name) }
       skipped { print "  " name " skipped: " $0; skipped = 0 }
       /: Skipped$/ { skipped = 1 }' "$results" |
    sed -e 's/&quot;/"/g' -e "s/&apos;/'/g" -e 's/&lt;/</g' -e 's/&gt;/>/g' -e 's/&amp;/\&/g'
fi
exit $status
