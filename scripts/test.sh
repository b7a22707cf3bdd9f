#!/usr/bin/env bash
# Sets up what is missing, builds and runs the whole test suite. Extra arguments go to cmake.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" "$@"
cd "$root/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
