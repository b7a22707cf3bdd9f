# Cross-build for 64-bit Windows with Debian's MinGW-w64 (posix threads, for std::thread and
# std::mutex). The C and C++ runtimes and winpthread are linked in statically, so the programs
# need no DLL beside them. VELMORA_WINDOWS_SYSROOT names the folder with the Windows-side
# libraries (libzip, GoogleTest) that scripts/test-windows.sh builds.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VELMORA_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VELMORA_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELMORA_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VELMORA_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VELMORA_MINGW_TRIPLET} ${VELMORA_WINDOWS_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# zlib's static archive: its import library would make the programs need zlib1.dll.
set(ZLIB_USE_STATIC_LIBS ON)

# pkg-config reads the sysroot's .pc files only, never the Linux ones.
set(ENV{PKG_CONFIG_LIBDIR} ${VELMORA_WINDOWS_SYSROOT}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VELMORA_WINDOWS_SYSROOT)

# No link time in the PE header: the same sources give the same bytes.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp")

# Every program run at build or test time gets the build's own Wine prefix, quiet, and without
# the .NET and HTML add-ons that a fresh prefix would offer to download.
find_program(VELMORA_WINE NAMES wine REQUIRED)
set(VELMORA_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix CACHE PATH "Wine prefix of the tests")
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_COMMAND} -E env WINEPREFIX=${VELMORA_WINE_PREFIX} WINEDEBUG=-all
    "WINEDLLOVERRIDES=mscoree,mshtml=" ${VELMORA_WINE})
