#!/usr/bin/env bash
# Runs the test suites of every build tree, in order, and fails if any failed.
#   native: portable core unit tests (sanitizers on)
#   win64:  Windows unit tests and end-to-end tests under Wine
#   fuzz:   short smoke runs of the fuzz targets
set -uo pipefail
build=${1:?build folder}
status=0
for tree in native win64 fuzz; do
  [[ -f "$build/$tree/CTestTestfile.cmake" ]] || continue
  echo "=== tests: $tree ==="
  ctest --test-dir "$build/$tree" --output-on-failure -j "$(nproc)" || status=1
done
exit $status
