#!/usr/bin/env bash
# Compiles every source of the Windows build once more with clang for the same target and the
# warnings that stand in for those MSVC's /W4 adds to GCC's: 64-to-32-bit and other narrowing
# conversions (C4267, C4244), sign conversions and compares (C4245, C4018, C4389), unused
# parameters (C4100), shadowing (C4456-C4459) and unreachable code (C4702). Fails on any warning.
# Uses the compile commands of build/windows (./build.sh test makes them).
set -euo pipefail
cd "$(dirname "$0")/.."

gcc_include=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")/include
python3 - "$gcc_include" <<'PY'
import concurrent.futures, json, os, shlex, subprocess, sys

include = sys.argv[1]
warnings = ["-Wall", "-Wextra", "-Wshorten-64-to-32", "-Wconversion", "-Wsign-conversion", "-Wsign-compare",
            "-Wunused-parameter", "-Wshadow-all", "-Wunreachable-code", "-Werror"]
commands = json.load(open("build/windows/compile_commands.json"))
sources = [c for c in commands if c["file"].endswith(".cpp") and "/googletest/" not in c["file"]]


def check(command):
    args = shlex.split(command["command"])
    flags = [a for a in args if a.startswith(("-D", "-I", "-std="))]
    flags += [a for i, a in enumerate(args) if i and args[i - 1] == "-isystem" for a in ("-isystem", a)]
    return subprocess.run(["clang++", "--target=x86_64-w64-mingw32", "-fsyntax-only", "-nostdinc++",
                           "-isystem", f"{include}/c++", "-isystem", f"{include}/c++/x86_64-w64-mingw32",
                           *warnings, *flags, command["file"]], cwd=command["directory"], capture_output=True, text=True)


with concurrent.futures.ThreadPoolExecutor(os.cpu_count()) as pool:
    runs = list(pool.map(check, sources))
failed = sum(run.returncode != 0 for run in runs)
for run in runs:
    print(run.stderr, end="")
print(f"check_conversions: {len(sources)} sources, {failed} with warnings")
sys.exit(1 if failed else 0)
PY
