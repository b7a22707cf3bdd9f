#!/usr/bin/env bash
# Installs the Debian 12 packages that Velmora needs to build, test and run, when missing,
# and the further packages named as arguments.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config clang-format
  libzip-dev libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-translations-l10n
  libxcb1-dev  # the X event of the window manager's late frame extents (gui/top_window.cpp)
  fonts-wqy-microhei python3-docx xvfb xauth
  x11-utils  # xwininfo: the window test looks for the main window on the virtual display
  openbox  # a window manager's late frame for the window-fit test of the desktop program
  clang libclang-rt-14-dev  # libFuzzer and its sanitizer runtimes for scripts/fuzz.sh
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  "${as_root[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
