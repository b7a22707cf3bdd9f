#!/usr/bin/env bash
# Sets up what is missing, builds and starts Velmora. Without a display it runs the bundled
# demonstration through velmora-script instead and prints what the program did.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$root/build/src/gui/velmora" "$@"
fi
demo="$root/demo-run"
rm -rf "$demo"
echo "No display here: running the demonstration (scripts/demo.vs) in $demo."
echo
"$root/build/tools/velmora_script/velmora-script" --run-dir "$demo" "$root/scripts/demo.vs"
echo
echo "The exported document: $demo/演示文档.docx"
echo "To see the windows on a virtual display: xvfb-run -a scripts/run.sh"
