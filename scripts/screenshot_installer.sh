#!/usr/bin/env bash
# Captures the installer window of the built tidyreel.exe in its first-start state (nothing
# registered) under Wine and Xvfb, and writes it as docs/installer.png.
# Needs build/windows from `cmake --build --preset windows`.
set -euo pipefail
cd "$(dirname "$0")/.."

shot=build/windows/tidyreel_screenshot.exe
[ -f "$shot" ] || { echo "missing $shot: build the windows preset first" >&2; exit 1; }

# A throwaway prefix: nothing of the tool is registered there, so the window shows its first state.
TIDYREEL_WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/tidyreel-shot.XXXXXX")
export TIDYREEL_WINEPREFIX
bmp=$(mktemp "${TMPDIR:-/tmp}/installer.XXXXXX.bmp")
trap 'WINEPREFIX=$TIDYREEL_WINEPREFIX wineserver -k 2>/dev/null || true; rm -rf "$TIDYREEL_WINEPREFIX" "$bmp"' EXIT

# Xvfb has no window manager to draw title bars: let Wine draw the window frame itself.
scripts/wine-run.sh reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
scripts/wine-run.sh "$shot" "Z:${bmp//\//\\}"
mkdir -p docs
python3 scripts/bmp_to_png.py "$bmp" docs/installer.png
echo "docs/installer.png written"
