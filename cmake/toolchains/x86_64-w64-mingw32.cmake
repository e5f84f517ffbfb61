# Cross-build for 64-bit Windows with Debian's mingw-w64 (x86_64-w64-mingw32).
#
# The shipped DLL is the 32-bit one (i686-w64-mingw32.cmake). This 64-bit
# build of the same sources runs the test suite under 64-bit Wine on kernels
# that cannot run 32-bit programs (IA-32 emulation switched off), where
# 32-bit Wine cannot start.

set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(VRENK_MINGW_TRIPLE x86_64-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake")
