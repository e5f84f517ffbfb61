# Cross-build for 32-bit Windows with Debian's mingw-w64 (i686-w64-mingw32).
#
#   cmake -S . -B build-win32 \
#         -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/i686-w64-mingw32.cmake
#
# Test programs run under Wine through cmake/wine-run.sh, which keeps a
# throwaway Wine prefix under the build tree.  The caller provides an X
# display (Xvfb) in DISPLAY.

set(CMAKE_SYSTEM_PROCESSOR x86)
set(VRENK_MINGW_TRIPLE i686-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake")
