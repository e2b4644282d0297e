#!/usr/bin/env bash
# Sets up and builds the two programs (no tests), then opens the window with
# a problem file loaded when a display is available, and otherwise solves it
# in the terminal. Default problem: the bundled worked example.
#   ./run.sh [FILE]
set -euo pipefail
cd "$(dirname "$0")"
puzzle="${1:-examples/worked_example.txt}"
tools/setup app
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x build/app/src/ui/varnokit ]; then
  exec build/app/src/ui/varnokit "$puzzle"
fi
exec build/app/src/varnokit-cli solve "$puzzle"
