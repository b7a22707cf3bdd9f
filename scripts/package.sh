#!/usr/bin/env bash
# Builds the Debian package velmora_<version>_amd64.deb into the folder given (default
# build-package/), with Debian's hardening flags, and prints its path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build-package"}
# dpkg-dev: dpkg-buildflags and dpkg-shlibdeps; file: cpack finds the programs with it.
"$root/scripts/setup.sh" dpkg-dev file >&2
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
# RelWithDebInfo (-O2, as Debian builds) rather than Release: GCC 12 gives false -Wrestrict
# warnings at -O3.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_BUILD_BENCH=OFF \
  "${launcher[@]}" \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
  -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" >/dev/null
# Only what the package holds; the tests are built by scripts/test.sh.
cmake --build "$build" --target velmora velmora-script velmora_documentation
(cd "$build" && cpack -G DEB >/dev/null)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
echo "$build/velmora_${version}_$(dpkg --print-architecture).deb"
