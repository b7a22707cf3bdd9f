#!/usr/bin/env bash
# On a virtual X display (no window manager): starts the program, types the document title
# "window", clicks "导出文档" and "保存设置" on its main window and accepts the message boxes
# that follow, then ends it.
#   drive_window.sh <velmora executable>
set -euo pipefail
"$1" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

# Waits for the visible window of that title and gives it the keyboard.
window() {
  local id
  id=$(timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" | head -1) || {
    echo "no window titled $1"
    exit 1
  }
  xdotool windowfocus --sync "$id"
  echo "$id"
}
# Clicks at a point of the main window, given in window coordinates (the layout's).
click() {
  xdotool mousemove --window "$main" "$1" "$2" click 1
}
answer() {
  window "$1" >/dev/null
  xdotool key Return
}

main=$(window "Velmorav1.0")
click 904 500 # 文档标题编辑框 at 48,440 in the Preset frame, 64x24
xdotool key ctrl+a type window
click 888 364 # 导出文档按钮: the Preset frame at 824,48, the button at 16,304, 96x24
answer "导出文档"
answer "提示"
click 888 316 # 保存设置按钮 at 16,256 in the Preset frame
answer "保存设置"
# The program writes its files before it shows the boxes that report them.
answer "保存成功"
