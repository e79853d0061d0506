#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz": clang, ASan + UBSan) and runs each for the given
# number of seconds, starting from its committed seeds in tests/fuzz/corpus/<target>. Any crash,
# sanitizer report, broken property, leak or slow input fails the run; the input that caused it is
# kept as build/fuzz/findings/<target>-crash-… (or leak-, timeout-, oom-).
#   scripts/fuzz.sh          5 seconds per target, as the test command runs it
#   scripts/fuzz.sh 600      ten minutes per target
# Prints one line per target with the inputs executed, and a total.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-5}
targets=(folder_name_fuzz)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

findings=build/fuzz/findings
mkdir -p "$findings"
total=0
failed=()
for target in "${targets[@]}"; do
    # New inputs go to a scratch corpus; the committed seeds are only read.
    work=build/fuzz/corpus/$target
    mkdir -p "$work"
    log=build/fuzz/$target.log
    if build/fuzz/"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$findings/$target-" "$work" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
        status=ok
    else
        status=FAILED
        failed+=("$target")
        tail -n 30 "$log" >&2
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$log" | tail -n 1)
    total=$((total + ${runs:-0}))
    printf '%-20s %12s inputs in %ss  %s\n' "$target" "${runs:-?}" "$seconds" "$status"
done
printf '%-20s %12s inputs\n' "all targets" "$total"
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: findings in ${failed[*]} (see $findings)" >&2
    exit 1
fi
echo "fuzz: ${#targets[@]} targets, no findings"
