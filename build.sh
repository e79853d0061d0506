#!/usr/bin/env bash
# The two commands of this repository, each self-sufficient on a fresh Debian/Ubuntu machine:
#   ./build.sh demo   builds tidyreel.exe and sorts a generated sample folder under Wine
#   ./build.sh test   builds every preset, makes the release zip, lints the scripts and the CI
#                     workflows, runs clang-tidy, a short fuzzing run and the whole test suite
#                     (docs/RELIABILITY.md)
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    cmake ninja-build g++ googletest libbenchmark-dev python3
    clang-14 clang-tidy-14 clang-format-14
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64 xvfb xauth
    libclang-rt-14-dev shellcheck
)

# Installs whatever of the above is missing (apt-get, as root or through sudo), and Node.js with
# npm for the workflow lint unless some Node.js is there already (one from outside Debian counts).
ensure_packages() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
    done
    command -v node >/dev/null && command -v npm >/dev/null || missing+=(nodejs npm)
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
    local log total=0
    log=$(mktemp)
    for preset in native native-clang windows; do
        ctest --preset "$preset" --timeout 300 | tee "$log"
        total=$((total + $(scripts/check_ctest_log.sh "$log")))
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
    # Wine's helper processes still hold the virtual display: let them end before it closes, or
    # each would report its broken X connection as the demo's last line.
    WINEPREFIX=$TIDYREEL_WINEPREFIX wineserver -w
}

case "${1:-}" in
    test)
        ensure_packages
        scripts/check_format.sh
        build_preset native
        scripts/check_tidy.sh
        build_preset native-clang
        build_preset windows
        scripts/check_conversions.sh
        scripts/check_exe.sh build/windows/tidyreel.exe
        cpack --preset windows
        test -f "build/windows/tidyreel-$(scripts/release_version.sh)-win64.zip"
        # The preset CI builds and packages on Windows itself, here with the cross compiler and
        # Debian's GoogleTest: a mistake in it shows before a runner meets it.
        cmake --preset windows-mingw --toolchain cmake/mingw-w64-x86_64.cmake \
            -DTIDYREEL_GTEST_SOURCE_DIR=/usr/src/googletest >/dev/null
        cmake --build --preset windows-mingw
        cpack --preset windows-mingw >/dev/null
        shellcheck build.sh .ci/run scripts/*.sh
        scripts/check_workflows.sh
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
