# Sourced by the scripts that drive Wine. Puts Wine's server on PATH as `wineserver`, wherever the
# wine package keeps it: /usr/bin on Debian 12, only under another name or in Wine's own library
# folder on later releases. Child processes (the benchmark and mutation scripts) inherit the PATH.
# shellcheck shell=bash
if ! command -v wineserver >/dev/null 2>&1; then
    for tidyreel_server in /usr/bin/wineserver-stable /usr/bin/wineserver-development \
        /usr/lib/wine/wineserver64 /usr/lib/x86_64-linux-gnu/wine/wineserver /usr/lib/wine/wineserver; do
        if [ -x "$tidyreel_server" ]; then
            tidyreel_bin="${TMPDIR:-/tmp}/tidyreel-wine-bin-$(id -u)"
            mkdir -p "$tidyreel_bin"
            ln -sf "$tidyreel_server" "$tidyreel_bin/wineserver"
            export PATH="$tidyreel_bin:$PATH"
            break
        fi
    done
    unset tidyreel_server tidyreel_bin
fi
