#!/usr/bin/env bash
# Installs the cross toolchain and Wine, and builds the Windows-side libraries once into a
# sysroot (default build-windows/sysroot): libzip from Debian's source package of the version
# the Linux build links, static, and GoogleTest from /usr/src/googletest. A stamp per library
# and version keeps a finished one.
#   scripts/windows-sysroot.sh [sysroot folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sysroot=$(mkdir -p "${1:-"$root/build-windows/sysroot"}" && cd "${1:-"$root/build-windows/sysroot"}" && pwd)
build=$(dirname "$sysroot")
toolchain=$root/cmake/toolchain-mingw64.cmake
jobs=$(nproc)

# The Linux build's packages and the cross toolchain, Wine and the Windows side's zlib.
"$root/scripts/setup.sh" dpkg-dev googletest g++-mingw-w64-x86-64-posix libz-mingw-w64-dev \
  wine wine64

# libzip, static, of the version the Linux build links, with zlib's static archive.
libzip_version=$(dpkg-query -W -f='${source:Version}' libzip-dev)
libzip_stamp=$sysroot/.libzip-$libzip_version
if [ ! -e "$libzip_stamp" ]; then
  if ! apt-cache showsrc libzip 2>/dev/null | grep -q '^Package: libzip'; then
    # Debian's own source archive, from where the machine's binary packages come.
    "$root/scripts/add-deb-src.sh"
  fi
  rm -rf "$build/libzip-source" "$build/libzip-build"
  mkdir -p "$build/libzip-source"
  (cd "$build/libzip-source" && apt-get source --only-source "libzip=$libzip_version")
  libzip_source=$(find "$build/libzip-source" -mindepth 1 -maxdepth 1 -type d -name 'libzip-*')
  cmake -S "$libzip_source" -B "$build/libzip-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$sysroot" \
    -DBUILD_SHARED_LIBS=OFF -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF \
    -DBUILD_DOC=OFF -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF \
    -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF \
    -DENABLE_WINDOWS_CRYPTO=OFF
  cmake --build "$build/libzip-build" -j "$jobs"
  cmake --install "$build/libzip-build"
  touch "$libzip_stamp"
fi

gtest_version=$(dpkg-query -W -f='${Version}' googletest)
gtest_stamp=$sysroot/.googletest-$gtest_version
if [ ! -e "$gtest_stamp" ]; then
  rm -rf "$build/googletest-build"
  cmake -S /usr/src/googletest -B "$build/googletest-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$sysroot"
  cmake --build "$build/googletest-build" -j "$jobs"
  cmake --install "$build/googletest-build"
  touch "$gtest_stamp"
fi
