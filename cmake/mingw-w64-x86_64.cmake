# The shipped DLLs' code as a 64-bit Windows build (Debian:
# g++-mingw-w64-x86-64), whose programs run under wine64 (Debian: wine64):
# the Windows API paths, the C runtime's printf and libm, CR LF on disk.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(LORVANE_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

# Tests run the built programs under wine64, in a prefix of the build's own
# (tests/windows creates it before the first test). No display is needed:
# messages stay off and the prompts to install Mono and Gecko never come.
# Debian keeps the loader out of PATH.
find_program(LORVANE_WINE NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
set(LORVANE_WINEPREFIX "${CMAKE_BINARY_DIR}/wine-prefix" CACHE PATH "The wine prefix the tests run in")
if(LORVANE_WINE)
  set(LORVANE_WINE_ENVIRONMENT WINEPREFIX=${LORVANE_WINEPREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env ${LORVANE_WINE_ENVIRONMENT} ${LORVANE_WINE})
endif()
