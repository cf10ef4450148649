# Cross-builds the 32-bit Windows DLLs and programs with mingw-w64 (Debian:
# g++-mingw-w64-i686) and runs the built programs under wine (Debian: wine,
# wine32). Used by the windows-x86 preset.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

# The posix thread model: GCC 12's win32 model has no std::mutex, which
# GoogleTest needs. Its libwinpthread is linked statically (below).
set(LORVANE_MINGW_PREFIX i686-w64-mingw32)
find_program(CMAKE_CXX_COMPILER NAMES ${LORVANE_MINGW_PREFIX}-g++-posix REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${LORVANE_MINGW_PREFIX}-gcc-posix)
find_program(CMAKE_RC_COMPILER NAMES ${LORVANE_MINGW_PREFIX}-windres)
find_program(CMAKE_OBJDUMP NAMES ${LORVANE_MINGW_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${LORVANE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# SSE2 doubles rather than the x87 unit's extended precision, so that
# arithmetic rounds as on x86-64; C99 printf (two-digit exponents as glibc
# writes them) instead of the system C runtime's.
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -ffp-contract=off -D__USE_MINGW_ANSI_STDIO=1")
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -ffp-contract=off -D__USE_MINGW_ANSI_STDIO=1")

# libgcc, libstdc++ and libwinpthread go into each DLL and program: they need
# nothing beyond lorvane_runtime.dll and the system's DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# Tests run the built programs under wine, in a prefix of the build's own
# (tests/windows creates it before the first test). No display is needed:
# messages stay off and the prompts to install Mono and Gecko never come.
find_program(LORVANE_WINE NAMES wine)
find_program(LORVANE_WINEBOOT NAMES wineboot)
set(LORVANE_WINEPREFIX "${CMAKE_BINARY_DIR}/wine-prefix" CACHE PATH "The wine prefix the tests run in")
# Wine may be installed on a machine whose kernel cannot start 32-bit
# programs at all; there the programs are built and checked, not run.
set(LORVANE_WINE_RUNS OFF)
if(LORVANE_WINE)
  execute_process(COMMAND ${LORVANE_WINE} --version RESULT_VARIABLE wineStatus OUTPUT_QUIET ERROR_VARIABLE wineError)
  if(wineStatus EQUAL 0)
    set(LORVANE_WINE_RUNS ON)
    set(LORVANE_WINE_ENVIRONMENT WINEPREFIX=${LORVANE_WINEPREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env ${LORVANE_WINE_ENVIRONMENT} ${LORVANE_WINE})
  else()
    string(STRIP "${wineError}" wineError)
    set(LORVANE_WINE_FAILURE "wine cannot start here (${wineError})")
  endif()
endif()
