#!/usr/bin/env bash
# The version in project(Tidyreel VERSION ...) of CMakeLists.txt, which names the release zip
# (tidyreel-<version>-win64.zip) and the executable's version block.
#   scripts/release_version.sh               prints it
#   scripts/release_version.sh --check TAG   fails unless TAG is v<version>, as a release tag must be
# The version has four numbers: the executable's version block holds four, and so must the tag.
set -euo pipefail
cd "$(dirname "$0")/.."

version=$(sed -n 's/^project(Tidyreel VERSION \([0-9][0-9.]*\)[ )].*/\1/p' CMakeLists.txt)
if [ -z "$version" ]; then
    echo "release_version: no project(Tidyreel VERSION ...) line in CMakeLists.txt" >&2
    exit 2
fi
case "${1:-}" in
    "")
        echo "$version"
        ;;
    --check)
        if ! [[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]]; then
            echo "release_version: version $version of CMakeLists.txt has not four numbers (as 1.0.0.0)" >&2
            exit 1
        fi
        if [ "${2:-}" != "v$version" ]; then
            echo "release_version: the tag '${2:-}' does not name version $version of CMakeLists.txt (tag v$version)" >&2
            exit 1
        fi
        echo "release_version: tag $2 names version $version"
        ;;
    *)
        echo "usage: $0 [--check TAG]" >&2
        exit 2
        ;;
esac
