#!/usr/bin/env bash
# Checks that every tracked .cpp and .h file is formatted as .clang-format says; names the files
# that are not and fails. With --fix, formats them in place instead.
#
#   scripts/check_format.sh [--fix]
#
# CLANG_FORMAT overrides the clang-format used (default clang-format: another version may lay
# out the same code differently).
set -euo pipefail
cd "$(dirname "$0")/.."

format=${CLANG_FORMAT:-clang-format}
mapfile -t files < <(git ls-files '*.cpp' '*.h')

if [ "${1:-}" = "--fix" ]; then
    "$format" -i "${files[@]}"
    exit 0
fi

unformatted=()
for file in "${files[@]}"; do
    "$format" --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done
if [ ${#unformatted[@]} -gt 0 ]; then
    echo "check_format: not formatted (scripts/check_format.sh --fix formats them):" >&2
    printf '  %s\n' "${unformatted[@]}" >&2
    exit 1
fi
echo "check_format: ${#files[@]} files formatted"
