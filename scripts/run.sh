#!/usr/bin/env bash
# Sets up what is missing, builds and starts Velmora.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"
if [ -x "$root/build/src/gui/velmora" ]; then
  exec "$root/build/src/gui/velmora" "$@"
fi
echo "The desktop windows are not built yet; velmora-script is at $root/build/tools/velmora_script/velmora-script."
