#!/usr/bin/env bash
# The two commands of this repository, each self-sufficient on a fresh Debian/Ubuntu machine:
#   ./build.sh demo   builds tidyreel.exe and sorts a generated sample folder under Wine
#   ./build.sh test   builds every preset, makes the release zip, runs clang-tidy, a short
#                     fuzzing run and the whole test suite (docs/RELIABILITY.md)
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)

packages=(
    cmake ninja-build g++ googletest libbenchmark-dev python3
    clang-14 clang-tidy-14 clang-format-14
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64 xvfb xauth
    libclang-rt-14-dev
)

# Installs whatever of the above is missing (apt-get, as root or through sudo).
ensure_packages() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "== installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build_preset() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1"
}

# One throwaway Wine prefix and one X display for the whole run: Wine starts once, not per test.
with_wine_session() {
    TIDYREEL_WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/tidyreel-wine.XXXXXX")
    export TIDYREEL_WINEPREFIX
    trap 'WINEPREFIX=$TIDYREEL_WINEPREFIX wineserver -k 2>/dev/null || true; rm -rf "$TIDYREEL_WINEPREFIX"' EXIT
    if [ -z "${DISPLAY:-}" ]; then
        xvfb-run -a -s "-screen 0 1024x768x24" "$@"
    else
        "$@"
    fi
}

# Runs the test sets and closes with one line that counts every ctest entry of them.
run_tests() {
    local log total=0 n
    log=$(mktemp)
    for preset in native native-clang windows; do
        ctest --preset "$preset" --timeout 300 | tee "$log"
        n=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log")
        total=$((total + ${n:-0}))
    done
    rm -f "$log"
    echo "ctest: $total passed, 0 failed"
}

run_demo() {
    local sample
    sample=$(mktemp -d "${TMPDIR:-/tmp}/tidyreel-sample.XXXXXX")
    python3 scripts/make_sample.py "$sample"
    echo "== before"
    (cd "$sample" && find . | sort)
    echo "== tidyreel.exe Z:${sample//\//\\}"
    scripts/wine-run.sh build/windows/tidyreel_probe.exe "Z:${sample//\//\\}"
    echo "== after"
    (cd "$sample" && find . | sort)
    rm -rf "$sample"
}

case "${1:-}" in
    test)
        ensure_packages
        scripts/check_format.sh
        build_preset native
        scripts/check_tidy.sh
        build_preset native-clang
        build_preset windows
        cpack --preset windows
        scripts/fuzz.sh 5
        with_wine_session "$0" _tests
        ;;
    demo)
        ensure_packages
        build_preset windows
        with_wine_session "$0" _demo
        ;;
    # Internal steps, run inside the Wine session of the two commands above.
    _tests) run_tests ;;
    _demo) run_demo ;;
    *)
        echo "usage: $0 demo|test" >&2
        exit 2
        ;;
esac
