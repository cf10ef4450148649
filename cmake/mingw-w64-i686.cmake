# The shipped build: 32-bit Windows DLLs and the tool, cross-built with
# mingw-w64 (Debian: g++-mingw-w64-i686). The machines this project builds on
# cannot start 32-bit programs, so the windows-x86 preset builds and checks
# the binaries only; windows-x64 runs the same code as Windows programs and
# linux-x86 as 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(LORVANE_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
