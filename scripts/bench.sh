#!/usr/bin/env bash
# The performance benchmarks (docs/PERFORMANCE.md). Builds what they need, runs scripts/bench.py in
# a Wine session of its own and prints one markdown table of every figure beside its target.
#
#   scripts/bench.sh                      everything: the rule, whole runs of 1,000, 10,000 and
#                                         100,000 files, start-up, and a profile of one run
#   scripts/bench.sh --sizes 1000,10000 --rounds 9,5     any options of scripts/bench.py
#   scripts/bench.sh --smoke [build]      builds nothing, 20 files, one round, in the caller's Wine
#                                         session: only that every part runs (the test suite's use)
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/wine-env.sh
. scripts/wine-env.sh

case "${1:-}" in
    --smoke)
        exec python3 scripts/bench.py --windows-build "${2:-build/windows}" --bench-build none \
            --sizes 20 --rounds 1 --startup-rounds 1 --profile-size 20
        ;;
    _session)
        # Inside the X display: make the prefix, let its server end, then start one that keeps
        # running between the timed starts, so that no start pays for the server's own start.
        shift
        scripts/wine-run.sh build/windows/bench_driver.exe >/dev/null 2>&1 || true  # prints its usage
        WINEPREFIX=$TIDYREEL_WINEPREFIX wineserver -w
        WINEPREFIX=$TIDYREEL_WINEPREFIX wineserver -p
        exec python3 scripts/bench.py "$@"
        ;;
esac

for preset in bench windows; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" >/dev/null
done

TIDYREEL_WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/tidyreel-bench-wine.XXXXXX")
export TIDYREEL_WINEPREFIX
trap 'WINEPREFIX=$TIDYREEL_WINEPREFIX wineserver -k 2>/dev/null || true; rm -rf "$TIDYREEL_WINEPREFIX"' EXIT
if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1024x768x24" "$0" _session "$@"
else
    "$0" _session "$@"
fi
