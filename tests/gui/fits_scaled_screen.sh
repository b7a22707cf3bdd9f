#!/usr/bin/env bash
# Starts the desktop program at a device pixel ratio of 1.5 on a 1366 x 768 virtual X display
# under a window manager (openbox), where the layout's 981 x 621 at 150 % does not fit, and
# passes once the framed window lies inside the work area, title bar included, at the largest
# scale that fits: its outer height within one step of scale of the work area's. The frame
# comes from the window manager after the window is mapped, so this also checks that the size
# follows it.
#   fits_scaled_screen.sh <velmora executable>
set -euo pipefail

if [ -z "${VELMORA_ON_X_DISPLAY:-}" ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  cp "$1" "$work/velmora"
  VELMORA_ON_X_DISPLAY=1 xvfb-run -a -s "-screen 0 1366x768x24" "$0" "$work/velmora"
  exit 0
fi

unset QT_QPA_PLATFORM
openbox --sm-disable &
wm=$!
pid=
trap 'kill $pid $wm 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.1
done

cd /
QT_SCALE_FACTOR=1.5 "$1" &
pid=$!
id=
for _ in $(seq 1 300); do
  if info=$(xwininfo -name "Velmorav1.0" 2>/dev/null) && grep -q "Map State: IsViewable" <<<"$info" &&
    xprop -id "$(awk '/Window id:/ {print $4}' <<<"$info")" _NET_FRAME_EXTENTS | grep -q "="; then
    id=$(awk '/Window id:/ {print $4}' <<<"$info")
    break
  fi
  sleep 0.1
done
[ -n "$id" ] || { echo "no framed window titled Velmorav1.0 within 30 seconds"; exit 1; }
# The program takes the frame as the window manager announces it.
sleep 2

IFS=', ' read -r work_left work_top work_width work_height _ \
  <<<"$(xprop -root _NET_WORKAREA | sed 's/.*= //')"
failed=0
# The outer window, by the client window and the frame extents the window manager announced.
measure() {
  info=$(xwininfo -id "$id")
  value() { awk -v key="$1" 'index($0, key) {print $NF}' <<<"$info"; }
  IFS=', ' read -r frame_left frame_right frame_top frame_bottom _ \
    <<<"$(xprop -id "$id" _NET_FRAME_EXTENTS | sed 's/.*= //')"
  left=$(($(value "Absolute upper-left X:") - frame_left))
  top=$(($(value "Absolute upper-left Y:") - frame_top))
  width=$(($(value "Width:") + frame_left + frame_right))
  height=$(($(value "Height:") + frame_top + frame_bottom))
  echo "outer window $width x $height at $left, $top; work area $work_width x $work_height" \
    "at $work_left, $work_top; frame $frame_left, $frame_right, $frame_top, $frame_bottom"
}
expect_size() {
  if ((width > work_width || height > work_height)); then
    echo "the window is larger than the work area"
    failed=1
  fi
  # One step of scale (1/96) adds 621 / 96 pixels to the height, the bound on this screen.
  if ((work_height - height > 621 / 96 + 2)); then
    echo "a larger scale would fit: $((work_height - height)) pixels left below"
    failed=1
  fi
}

measure
expect_size
if ((left < work_left || top < work_top || left + width > work_left + work_width ||
  top + height > work_top + work_height)); then
  echo "the window does not lie inside the work area"
  failed=1
fi

# Frame extents that change long after the window is shown, with no move or resize of the
# window (as a window manager under load may announce them): the size follows them.
xprop -id "$id" -f _NET_FRAME_EXTENTS 32c -set _NET_FRAME_EXTENTS \
  "$frame_left, $frame_right, $((frame_top + 30)), $frame_bottom"
sleep 2
measure
expect_size
exit "$failed"
