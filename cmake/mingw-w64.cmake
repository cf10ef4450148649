# What the Windows cross builds share; cmake/mingw-w64-i686.cmake (the
# shipped 32-bit DLLs) and cmake/mingw-w64-x86_64.cmake (the same code as a
# 64-bit build that wine64 runs) set LORVANE_MINGW_PREFIX and the processor,
# then include this file. Debian: g++-mingw-w64-i686, g++-mingw-w64-x86-64.
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread model: GCC 12's win32 model has no std::mutex, which
# GoogleTest needs. Its libwinpthread is linked statically (below).
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
# writes them) instead of the system C runtime's. The 64-bit build has SSE2
# anyway; it takes the same flags so that both compile the same arithmetic.
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -ffp-contract=off -D__USE_MINGW_ANSI_STDIO=1")
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -ffp-contract=off -D__USE_MINGW_ANSI_STDIO=1")

# libgcc, libstdc++ and libwinpthread go into each DLL and program: they need
# nothing beyond lorvane_runtime.dll and the system's DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
