#!/usr/bin/env bash
# Fails unless a ctest log shows every test run and passed: ctest's summary says 100% of N tests
# passed, and nothing was skipped, neither by ctest ("***Skipped", "Not Run") nor inside a
# GoogleTest executable ("[  SKIPPED ]", which shows when ctest prints the tests' output, as the
# Windows presets make it). Prints N.
#   scripts/check_ctest_log.sh build/windows-mingw/ctest.log
set -euo pipefail

log=${1:?usage: check_ctest_log.sh <ctest log>}
count=$(sed -n 's/.*100% tests passed, 0 tests failed out of \([0-9][0-9]*\).*/\1/p' "$log" | tail -n 1)
if [ -z "$count" ]; then
    echo "check_ctest_log: $log does not report every test passed" >&2
    exit 1
fi
if grep -E '\[  SKIPPED \]|\*\*\*Skipped|Not Run' "$log" >&2; then
    echo "check_ctest_log: $log: the tests above were skipped" >&2
    exit 1
fi
echo "$count"
