#!/usr/bin/env bash
# Builds the Windows downloads from a Release cross-build into dist/ and prints their paths:
#   velmora-<version>-win64.zip   the stripped velmora.exe and velmora-script.exe, 说明.txt and
#                                 许可.txt, to unpack and run from any folder;
#   velmora-<version>-setup.exe   the NSIS installer (Program Files\Velmora, shortcuts, entry in
#                                 "Apps and features", /S for silent).
# The same commit gives the same bytes: every time stamp is SOURCE_DATE_EPOCH (the commit's
# time unless set), the PE headers carry none, and no build path enters the programs.
#   scripts/package-windows.sh [build folder (default build-windows)] [dist folder (default dist)]
# The build folder's sysroot (scripts/windows-sysroot.sh) is made when missing; a symbolic link
# to another build folder's sysroot spares building it again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(mkdir -p "${1:-"$root/build-windows"}" && cd "${1:-"$root/build-windows"}" && pwd)
release=$build/release
dist=$(mkdir -p "${2:-"$root/dist"}" && cd "${2:-"$root/dist"}" && pwd)

# Standard output carries the two paths alone; what the steps tell goes to standard error.
"$root/scripts/setup.sh" nsis python3 >&2
"$root/scripts/windows-sysroot.sh" "$build/sysroot" >&2

export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}
export TZ=UTC LC_ALL=C.UTF-8
# __FILE__ in the programs (assertions, the standard library's checks) names paths relative to
# the source and build folders, wherever they lie.
prefix_maps="-ffile-prefix-map=$root/= -ffile-prefix-map=$release/="
cmake -S "$root" -B "$release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" \
  -DVELMORA_WINDOWS_SYSROOT="$build/sysroot" -DVELMORA_WINE_PREFIX="$build/wineprefix" \
  -DVELMORA_BUILD_GUI=OFF -DVELMORA_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS="$prefix_maps" >/dev/null
cmake --build "$release" --target velmora velmora-script >&2
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$release/CMakeCache.txt")
version_four=$(sed -n 's/^ *FILEVERSION //p' "$release/src/win32/velmora-version.rc" | tr , .)
publisher=$(sed -n 's/.*"CompanyName", "\(.*\)"$/\1/p' "$release/src/win32/velmora-version.rc")
copyright=$(sed -n 's/.*"LegalCopyright", "\(.*\)"$/\1/p' "$release/src/win32/velmora-version.rc")

stage=$release/package
rm -rf "$stage"
mkdir -p "$stage"
x86_64-w64-mingw32-strip --strip-all -o "$stage/velmora.exe" "$release/src/win32/velmora.exe"
x86_64-w64-mingw32-strip --strip-all -o "$stage/velmora-script.exe" \
  "$release/tools/velmora_script/velmora-script.exe"
# Texts as Notepad reads them everywhere: UTF-8 with a byte order mark, CRLF line ends.
for text in 说明.txt 许可.txt; do
  { printf '\357\273\277'; sed "s/@VERSION@/$version/g; s/\$/\r/" "$root/packaging/windows/$text"; } \
    >"$stage/$text"
done

zip=$dist/velmora-$version-win64.zip
setup=$dist/velmora-$version-setup.exe
rm -f "$zip" "$setup"
python3 "$root/packaging/windows/make_zip.py" "$zip" "Velmora-$version" "$stage" "$SOURCE_DATE_EPOCH"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DVERSION_FOUR="$version_four" \
  -DPUBLISHER="$publisher" -DCOPYRIGHT="$copyright" -DSTAGE="$stage" \
  -DICON="$release/src/win32/velmora.ico" -DOUTFILE="$setup" \
  "$root/packaging/windows/velmora.nsi" >&2
echo "$zip"
echo "$setup"
