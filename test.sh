#!/usr/bin/env bash
# Sets up, builds and runs every test (core tests and window tests).
set -euo pipefail
cd "$(dirname "$0")"
preset="${1:-dev}"
tools/setup "$preset"
export QT_QPA_PLATFORM=offscreen
ctest --preset "$preset"
