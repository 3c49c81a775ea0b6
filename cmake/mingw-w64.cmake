# Cross-building the Windows program with MinGW-w64 (Debian's
# g++-mingw-w64-x86-64):
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# The tests then run under Wine through CMAKE_CROSSCOMPILING_EMULATOR.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BELLFORM_MINGW_TRIPLE x86_64-w64-mingw32)
# The posix thread model: GoogleTest's std::mutex and std::thread need it
# with GCC 12 (the win32 model has no <mutex> there); winpthreads is linked
# statically like the rest of the runtime.
find_program(CMAKE_CXX_COMPILER NAMES ${BELLFORM_MINGW_TRIPLE}-g++-posix
                                      ${BELLFORM_MINGW_TRIPLE}-g++ REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${BELLFORM_MINGW_TRIPLE}-gcc-posix
                                    ${BELLFORM_MINGW_TRIPLE}-gcc)
find_program(CMAKE_RC_COMPILER NAMES ${BELLFORM_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BELLFORM_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One executable with no DLLs beside it: the C++ runtime, libgcc and
# winpthreads are linked in; only the system's own DLLs remain.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# printf's %g and %.Nf from MinGW's own C99 conversions, which round and
# print exactly as glibc's do, not from msvcrt's.
set(CMAKE_CXX_FLAGS_INIT "-D__USE_MINGW_ANSI_STDIO=1")
set(CMAKE_C_FLAGS_INIT "-D__USE_MINGW_ANSI_STDIO=1")

# Test programs run under Wine, quietly, in a prefix of the build's own
# (created once by the wine_prefix target, see tests/CMakeLists.txt).
# Mono and Gecko are never needed: their installers are switched off.
find_program(BELLFORM_WINE NAMES wine wine64)
if(BELLFORM_WINE)
  set(BELLFORM_WINEPREFIX "${CMAKE_BINARY_DIR}/wine")
  set(BELLFORM_WINE_ENV WINEDEBUG=-all WINEPREFIX=${BELLFORM_WINEPREFIX}
                        WINEDLLOVERRIDES=mscoree,mshtml=)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      ${CMAKE_COMMAND} -E env ${BELLFORM_WINE_ENV} ${BELLFORM_WINE})
endif()
