#!/usr/bin/env bash
# Runs a Windows executable under Wine for the tests: 64-bit prefix, no debug chatter, and a
# virtual X display when there is none (windows and message boxes need one).
#
# The prefix is TIDYREEL_WINEPREFIX when set (the test command makes a throwaway one per run);
# otherwise one per user in the temporary folder. It is initialised once, under a lock, so that
# many test executables share one prefix and Wine's start-up cost is paid once.
set -euo pipefail

# shellcheck source=scripts/wine-env.sh
. "$(dirname "$0")/wine-env.sh"

if [ $# -lt 1 ]; then
    echo "usage: wine-run.sh program.exe [arguments...]" >&2
    exit 2
fi

export WINEPREFIX="${TIDYREEL_WINEPREFIX:-${TMPDIR:-/tmp}/tidyreel-wineprefix-$(id -u)}"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono/Gecko install prompts and no desktop menu entries in a test prefix; a crash ends the
# process at once instead of waiting on the debugger's dialog, which nobody answers under Xvfb.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

mkdir -p "$WINEPREFIX"
(
    flock 9
    if [ ! -f "$WINEPREFIX/.tidyreel-ready" ]; then
        wineboot -i >/dev/null 2>&1
        # Without a window manager (Xvfb has none) Wine waits 2 s for one whenever a managed
        # window is hidden, so every message box would cost 2 s more; unmanaged windows do not.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.tidyreel-ready"
    fi
) 9>"$WINEPREFIX/.init.lock"

# Wine names a missing 32-bit half on every start; that line says nothing about the test.
exec wine "$@" 2> >(grep -v -e 'wine32 is missing' -e 'multiarch needs to be enabled' -e 'dpkg --add-architecture' -e 'apt-get install wine32' >&2)
