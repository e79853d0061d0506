#!/usr/bin/env bash
# The two commands of this repository, each self-sufficient on a fresh Debian 12 or 13 (or Ubuntu)
# machine:
#   ./build.sh demo   builds tidyreel.exe and sorts a generated sample folder under Wine
#   ./build.sh test   builds every preset, builds the release a second time in another folder and
#                     compares the bytes, renders and checks the winget and Scoop manifests, lints
#                     the scripts and the CI workflows, runs clang-tidy, a short fuzzing run and the
#                     whole test suite (docs/RELIABILITY.md)
set -euo pipefail
cd "$(dirname "$0")"

# The release's own clang, clang-format and clang-tidy (the unversioned packages: 14 on Debian 12,
# 19 on Debian 13), so that every machine of one release formats and lints alike.
packages=(
    cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev python3 python3-yaml git
    clang clang-tidy clang-format libclang-rt-dev
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine xvfb xauth shellcheck
)
# Wanted where the release has it: Debian 12 splits the 64-bit half of Wine into wine64.
optional_packages=(wine64)

# Installs whatever of the above is missing (apt-get, as root or through sudo), and Node.js with
# npm for the workflow lint unless some Node.js is there already (one from outside Debian counts).
ensure_packages() {
    local missing=() p
    for p in "${packages[@]}" "${optional_packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
    done
    command -v node >/dev/null && command -v npm >/dev/null || missing+=(nodejs npm)
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -q
    local wanted=()
    for p in "${missing[@]}"; do
        if [[ " ${optional_packages[*]} " != *" $p "* ]] || apt-cache show "$p" >/dev/null 2>&1; then
            wanted+=("$p")
        fi
    done
    echo "== installing: ${wanted[*]}"
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${wanted[@]}"
}

build_preset() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1"
}

# One throwaway Wine prefix and one X display for the whole run: Wine starts once, not per test.
with_wine_session() {
    # shellcheck source=scripts/wine-env.sh
    . scripts/wine-env.sh
    TIDYREEL_WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/tidyreel-wine.XXXXXX")
    export TIDYREEL_WINEPREFIX
    trap 'WINEPREFIX=$TIDYREEL_WINEPREFIX wineserver -k 2>/dev/null || true; rm -rf "$TIDYREEL_WINEPREFIX"' EXIT
    trap 'exit 143' TERM
    if [ -z "${DISPLAY:-}" ]; then
        xvfb-run -a -s "-screen 0 1024x768x24" "$@"
    else
        "$@"
    fi
}

# The Windows test set under Wine, in the background while the rest builds and checks (most of its
# time is spent waiting on windows), its output kept for the end.
start_wine_tests() {
    wine_log=$(mktemp)
    setsid "$0" _wine_tests >"$wine_log" 2>&1 &
    wine_tests=$!
    # A step that fails ends the script, and the tests in the background with it.
    trap 'kill -- -"$wine_tests" 2>/dev/null || true' EXIT
}

# Runs the native test sets, then reports the Windows one, and closes with one line that counts
# every ctest entry of them.
run_tests() {
    local log total=0 failed=0
    log=$(mktemp)
    for preset in native native-clang; do
        ctest --preset "$preset" --timeout 300 | tee "$log"
        total=$((total + $(scripts/check_ctest_log.sh "$log")))
    done
    wait "$wine_tests" || failed=1
    trap - EXIT
    cat "$wine_log"
    [ $failed -eq 0 ] && total=$((total + $(scripts/check_ctest_log.sh "$wine_log")))
    rm -f "$log" "$wine_log"
    [ $failed -eq 0 ] || return 1
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

# The release a second time, from the windows-mingw preset (the one CI builds on Windows), here
# with the cross compiler in another folder and at another time: the executable and the zip must
# be the same bytes, or nobody could check a published zip against its tag.
check_reproducible() {
    cmake --preset windows-mingw --toolchain cmake/mingw-w64-x86_64.cmake \
        -DTIDYREEL_GTEST_SOURCE_DIR=/usr/src/googletest >/dev/null
    cmake --build --preset windows-mingw --target release_zip
    local zip
    zip="tidyreel-$(scripts/release_version.sh)-win64.zip"
    cmp build/windows/tidyreel.exe build/windows-mingw/tidyreel.exe
    cmp "build/windows/$zip" "build/windows-mingw/$zip"
    echo "reproducible: $(cat "build/windows/$zip.sha256")"
}

# The winget and Scoop manifests of the zip, as the release job makes them, checked field by field.
check_manifests() {
    local zip
    zip="build/windows/tidyreel-$(scripts/release_version.sh)-win64.zip"
    rm -rf build/windows/manifests
    scripts/make_manifests.sh "$zip" build/windows/manifests "${GITHUB_REPOSITORY:-quillmoors/tidyreel}"
    python3 scripts/check_manifests.py build/windows/manifests "$zip"
    python3 scripts/check_manifests.py --self-test build/windows/manifests "$zip"
}

case "${1:-}" in
    test)
        ensure_packages
        scripts/check_format.sh
        build_preset windows
        python3 scripts/check_exe.py build/windows/tidyreel.exe
        cmake --build --preset windows --target release_zip
        start_wine_tests
        build_preset native
        scripts/check_tidy.sh
        build_preset native-clang
        scripts/check_conversions.sh
        check_reproducible
        check_manifests
        shellcheck build.sh .ci/run scripts/*.sh
        scripts/check_workflows.sh
        scripts/fuzz.sh 5
        run_tests
        ;;
    demo)
        ensure_packages
        build_preset windows
        with_wine_session "$0" _demo
        ;;
    # Internal steps: the demo inside its Wine session, and the Windows test set in one of its own.
    _demo) run_demo ;;
    _wine_tests) with_wine_session ctest --preset windows --timeout 300 ;;
    *)
        echo "usage: $0 demo|test" >&2
        exit 2
        ;;
esac
