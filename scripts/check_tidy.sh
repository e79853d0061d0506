#!/usr/bin/env bash
# Runs clang-tidy (the checks of .clang-tidy) over the platform-free product code and fails on any
# finding. Platform-free: every tracked .cpp in app/, sorter/, installer/ and qm.API/ that is not a
# *_win.cpp file and reaches <windows.h> through none of its includes.
#
#   scripts/check_tidy.sh [build folder]     (default: build/native, made by `cmake --preset native`)
#
# Files the native build does not compile (Windows-only in CMake, yet free of Win32 calls) are
# checked with the flags of their neighbours in that build's compile_commands.json.
# CLANG_TIDY overrides the clang-tidy used (default clang-tidy).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/native}
tidy=${CLANG_TIDY:-clang-tidy}
if [ ! -f "$build/compile_commands.json" ]; then
    echo "check_tidy: $build/compile_commands.json not found; run: cmake --preset native" >&2
    exit 2
fi

mapfile -t files < <(git ls-files 'app/*.cpp' 'sorter/*.cpp' 'installer/*.cpp' 'qm.API/*.cpp' | python3 -c '
import os, re, sys

include = re.compile(r"\s*#\s*include\s*[<\"]([^>\"]+)[>\"]")
bound = {}

def reaches_windows(path):
    """Whether the file includes <windows.h>, itself or through one of the project headers."""
    if path not in bound:
        bound[path] = False  # an include cycle reaches nothing new
        with open(path, encoding="latin-1") as source:
            names = [m.group(1) for m in map(include.match, source) if m]
        bound[path] = any(name == "windows.h" or (os.path.isfile(name) and
                          reaches_windows(name)) for name in names)
    return bound[path]

for line in sys.stdin:
    path = line.strip()
    if not path.endswith("_win.cpp") and not reaches_windows(path):
        print(path)
')
echo "clang-tidy: ${#files[@]} files"
printf '%s\n' "${files[@]}" | xargs -P 2 -n 5 "$tidy" -p "$build" --quiet 2> >(grep -v -e 'warnings generated' >&2)
echo "clang-tidy: clean"
