#!/usr/bin/env bash
# Checks a built tidyreel.exe: a 64-bit Windows GUI program that starts on a bare Windows, so
# none of the MinGW runtime DLLs may be among its imports. Prints the DLLs it imports.
#
#   scripts/check_exe.sh [path/to/tidyreel.exe]      (default: build/windows/tidyreel.exe)
#
# OBJDUMP overrides the objdump used (default x86_64-w64-mingw32-objdump).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe=${1:-$root/build/windows/tidyreel.exe}
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}

if [[ ! -f $exe ]]; then
    echo "check_exe: $exe not found" >&2
    exit 2
fi

headers=$("$objdump" -p "$exe") || {
    echo "check_exe: $objdump could not read $exe" >&2
    exit 2
}

failed=0

magic=$(awk '$1 == "Magic" { print $2; exit }' <<<"$headers")
if [[ $magic != 020b ]]; then
    echo "FAIL: not a 64-bit (PE32+) image: Magic ${magic:-missing}" >&2
    failed=1
fi

# e.g. "Subsystem		00000002	(Windows GUI)"
subsystem=$(awk '$1 == "Subsystem" { print $2; exit }' <<<"$headers")
if [[ -z $subsystem ]] || (( 16#$subsystem != 2 )); then
    what=$(sed -n 's/^Subsystem[[:space:]]*\([0-9a-fA-F]*\)[[:space:]]*/\1 /p' <<<"$headers" | head -n1)
    echo "FAIL: subsystem is ${what:-missing}, not 2 (Windows GUI)" >&2
    failed=1
else
    echo "subsystem: 2 (Windows GUI)"
fi

# e.g. "	DLL Name: KERNEL32.dll"
mapfile -t dlls < <(sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' <<<"$headers")
echo "imports:"
for dll in "${dlls[@]}"; do
    echo "  $dll"
done
if (( ${#dlls[@]} == 0 )); then
    echo "FAIL: no imported DLLs found; objdump output not understood" >&2
    failed=1
fi

for dll in "${dlls[@]}"; do
    case ${dll,,} in
        libstdc++*|libgcc*|libwinpthread*)
            echo "FAIL: imports MinGW runtime DLL $dll (link it statically)" >&2
            failed=1
            ;;
    esac
done

if (( failed )); then
    exit 1
fi
echo "check_exe: $exe OK"
