#!/usr/bin/env bash
# Sets up, builds, and solves the bundled example puzzle with the command-line tool.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup dev
exec build/dev/src/varnokit-cli solve "${1:-examples/worked_example.txt}"
