# The shipped DLLs' 32-bit layouts (pointers, alignment, the node, the pages,
# size arithmetic) with their arithmetic flags, as a 32-bit Linux build
# (Debian: g++-multilib) whose programs run under qemu-user (Debian:
# qemu-user-static) where the kernel cannot start them. Programs that start
# other programs need the kernel to hand 32-bit programs to qemu as well
# (a binfmt_misc entry; .ci/run registers one for its run).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)

set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
# 64-bit file offsets and inode numbers, as every 64-bit system has them:
# without, stat refuses files of large file systems.
set(CMAKE_CXX_FLAGS_INIT "-m32 -msse2 -mfpmath=sse -ffp-contract=off -D_FILE_OFFSET_BITS=64")
set(CMAKE_C_FLAGS_INIT "-m32 -msse2 -mfpmath=sse -ffp-contract=off")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-m32")

find_program(LORVANE_QEMU_I386 NAMES qemu-i386-static qemu-i386)
if(LORVANE_QEMU_I386)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${LORVANE_QEMU_I386})
endif()
