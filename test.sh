#!/usr/bin/env bash
# Sets up, builds and runs the tests (core tests and window tests).
#   ./test.sh                the default suite (a few minutes after the build)
#   ./test.sh --long         also the long tests (ctest label `long`)
#   ./test.sh sanitize       another build preset: dev (default), ci, sanitize
set -euo pipefail
cd "$(dirname "$0")"
preset=dev
long=0
for arg in "$@"; do
  case "$arg" in
    --long) long=1 ;;
    -*) echo "test.sh: unknown option $arg (usage: ./test.sh [PRESET] [--long])" >&2; exit 2 ;;
    *) preset="$arg" ;;
  esac
done
tools/setup "$preset"
export QT_QPA_PLATFORM=offscreen
ctest --preset "$preset"
if [ "$long" -eq 1 ]; then
  ctest --test-dir "build/$preset" --output-on-failure --no-tests=error -j 2 -L long
fi
