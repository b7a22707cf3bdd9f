#!/usr/bin/env bash
# Starts the desktop program as a user would, on a virtual X display, and passes once its main
# window is mapped there, centred, with the layout's outer size (981 x 621: no window manager
# draws a frame), asking for a minimise box but no maximise box, with the program icon. The program runs from a copy in a scratch folder, because it keeps its Data
# folder beside the executable, and is started from another folder.
#   starts_on_x_display.sh <velmora executable>
set -euo pipefail

if [ -z "${VELMORA_ON_X_DISPLAY:-}" ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  cp "$1" "$work/velmora"
  VELMORA_ON_X_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$work/velmora"
  # Startup made the Data folder in the run directory, not in the folder it was started from.
  if [ ! -d "$work/Data" ]; then
    echo "no Data folder beside the executable"
    exit 1
  fi
  echo "main window shown; Data folder made beside the executable"
  exit 0
fi

# The suite runs with the offscreen platform; this test wants the X display.
unset QT_QPA_PLATFORM
cd /
"$1" &
pid=$!
for _ in $(seq 1 300); do
  if ! kill -0 "$pid" 2>/dev/null; then
    status=0
    wait "$pid" || status=$?
    echo "the program ended before its window showed (exit code $status)"
    exit 1
  fi
  if info=$(xwininfo -name "Velmorav1.0" 2>/dev/null) && grep -q "Map State: IsViewable" <<<"$info"; then
    id=$(awk '/Window id:/ {print $4}' <<<"$info")
    # Motif hints: flags, functions, decorations. Minimise (function 0x8) but no maximise (0x10).
    hints=$(xprop -id "$id" _MOTIF_WM_HINTS | sed 's/.*= //')
    icon=$(xprop -id "$id" _NET_WM_ICON | grep -o "Icon ([0-9]* x [0-9]*)" | tr "\n" " ")
    kill "$pid"
    wait "$pid" || true
    echo "$info"
    echo "Motif hints: $hints"
    functions=$(cut -d, -f2 <<<"$hints")
    if (( (functions & 0x10) != 0 || (functions & 0x8) == 0 )); then
      echo "expected a minimise box and no maximise box"
      exit 1
    fi
    if ! grep -q "Icon (32 x 32)" <<<"$icon"; then
      echo "expected the program icon, got: $icon"
      exit 1
    fi
    expected=("Absolute upper-left X:  149" "Absolute upper-left Y:  201" "Width: 981" "Height: 621")
    for line in "${expected[@]}"; do
      if ! grep -q "$line" <<<"$info"; then
        echo "expected '$line'"
        exit 1
      fi
    done
    exit 0
  fi
  sleep 0.1
done
kill "$pid"
echo "no window titled Velmorav1.0 within 30 seconds"
exit 1
