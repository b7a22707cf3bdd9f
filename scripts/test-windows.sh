#!/usr/bin/env bash
# Cross-builds the Windows side (runtime, ui, app, velmora-script, velmora.exe and the tests)
# with MinGW-w64 and runs the unit tests, every scenario golden and the window tests of
# velmora.exe under Wine, on an Xvfb display. The Windows-side libraries are built once into a
# sysroot inside the build folder (default build-windows/) by scripts/windows-sysroot.sh.
# Extra arguments go to the project's cmake configuration.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(mkdir -p "${1:-"$root/build-windows"}" && cd "${1:-"$root/build-windows"}" && pwd)
shift || true
sysroot=$build/sysroot
toolchain=$root/cmake/toolchain-mingw64.cmake
jobs=$(nproc)

"$root/scripts/windows-sysroot.sh" "$sysroot"

# The Chinese locale, under which Wine gives its programs the ANSI code page 936.
"$root/scripts/setup.sh" locales
if ! locale -a | grep -qix 'zh_CN.utf8'; then
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  "${as_root[@]}" localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi

cmake -S "$root" -B "$build/velmora" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DVELMORA_WINDOWS_SYSROOT="$sysroot" \
  -DVELMORA_WINE_PREFIX="$build/wineprefix" -DVELMORA_BUILD_GUI=OFF -DVELMORA_BUILD_BENCH=OFF "$@"

# The window tests of velmora.exe need a display: one virtual X server for the run, on a free
# display number, up before Wine's services start so that they draw on it; large enough for
# each of Wine's desktops below.
display_file=$build/xvfb-display
rm -f "$display_file"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$display_file" &
xvfb_pid=$!
trap 'kill "$xvfb_pid" || true' EXIT
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
[ -s "$display_file" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(cat "$display_file")

# A Wine prefix of its own, made once before the build runs the test programs to list their
# tests.
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A Wine server left by an earlier run serves a display that is gone.
wineserver --kill 2>/dev/null || true
if [ ! -e "$WINEPREFIX/system.reg" ]; then
  wineboot --init
  wineserver --wait
fi
# Wine's own fonts have no Chinese characters. The Chinese font of the Linux build
# (fonts-wqy-microhei) stands for the fonts velmora.exe asks for ("Microsoft YaHei" for its
# controls, "宋体" for the input box) and fills in the characters that the system font of the
# message boxes lacks.
for family in 'Microsoft YaHei' SimSun 宋体; do
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$family" /t REG_SZ \
    /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
done
for family in Tahoma 'Microsoft Sans Serif'; do
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v "$family" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
done
# No window manager runs on Xvfb: Wine draws the windows on a desktop of its own, frames
# included. use_screen DPI WIDTHxHEIGHT gives the programs started after it that DPI and a
# desktop of that size, with one Wine server for all of them instead of one per test program:
# Wine's own services start with the first program and outlive it, and started here they hold
# no output pipe of a test for the build to wait on.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
use_screen() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$2" /f >/dev/null 2>&1
  wineserver --kill 2>/dev/null || true
  wineserver --wait || true
  wineserver --persistent || true
  wine cmd /c exit </dev/null >/dev/null 2>&1
}
use_screen 96 1280x1024
trap 'wineserver --kill || true; kill "$xvfb_pid" || true' EXIT

cmake --build "$build/velmora" -j "$jobs"
# The programs must run from any folder: no DLL of the C++ runtime, libzip or zlib.
for program in tools/velmora_script/velmora-script.exe src/win32/velmora.exe; do
  if x86_64-w64-mingw32-objdump -p "$build/velmora/$program" |
    grep -iE 'DLL Name: (zlib1|libzip|libstdc|libgcc|libwinpthread)'; then
    echo "$program needs the DLL above" >&2
    exit 1
  fi
done
cd "$build/velmora"
ctest --output-on-failure -j "$jobs"

# Where the window does not fit at the system's scale: 125 % on a 1366 x 768 laptop screen,
# 150 % on it and on a 1920 x 1080 one. The screenshots carry DPI and size in their names.
for screen in "120 1366x768" "144 1366x768" "144 1920x1080"; do
  echo "Window fit at ${screen% *} DPI on ${screen#* }"
  use_screen $screen
  ctest --output-on-failure -R 'win32\..*Fit'
done

# The window tests again in the Chinese locale.
echo "Window tests under LANG=zh_CN.UTF-8"
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
use_screen 96 1280x1024
ctest --output-on-failure -L gui
