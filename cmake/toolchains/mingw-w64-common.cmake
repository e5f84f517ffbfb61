# Shared part of the mingw-w64 toolchain files: the including file sets
# VRENK_MINGW_TRIPLE and CMAKE_SYSTEM_PROCESSOR first.

set(CMAKE_SYSTEM_NAME Windows)

# Debian ships each mingw-w64 compiler twice: with the win32 and with the
# posix thread model.  The posix one gives the full C++ thread support
# (std::thread, std::condition_variable); its pthread library is linked
# statically below, so the DLL does not need libwinpthread-1.dll (the
# posix-model libgcc_s_dw2-1.dll does, and is shipped with it).
foreach(_vrenk_lang C CXX)
    if(_vrenk_lang STREQUAL "C")
        set(_vrenk_tool gcc)
    else()
        set(_vrenk_tool g++)
    endif()
    if(NOT CMAKE_${_vrenk_lang}_COMPILER)
        find_program(_vrenk_${_vrenk_lang}_compiler
            NAMES ${VRENK_MINGW_TRIPLE}-${_vrenk_tool}-posix ${VRENK_MINGW_TRIPLE}-${_vrenk_tool}
            NO_CACHE)
        if(NOT _vrenk_${_vrenk_lang}_compiler)
            message(FATAL_ERROR
                "${VRENK_MINGW_TRIPLE}-${_vrenk_tool} not found: run scripts/install-windows-deps.sh as root")
        endif()
        set(CMAKE_${_vrenk_lang}_COMPILER "${_vrenk_${_vrenk_lang}_compiler}")
    endif()
endforeach()
set(CMAKE_RC_COMPILER ${VRENK_MINGW_TRIPLE}-windres)

# Libraries and headers come from the mingw-w64 tree only; programs from the
# build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${VRENK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libstdc++ and winpthread are linked statically.  libgcc holds the
# exception unwinder: on x86-64 (SEH) a static copy in every module is fine,
# but on i686 (DWARF-2) each static copy knows only its own module's frames,
# so an exception thrown in the DLL would terminate its host.  There every
# module links libgcc_s_dw2-1.dll instead (-shared-libgcc), and -Bstatic keeps
# the rest static while still finding libgcc_s.a, its import library.
# cmake/WindowsDeps.cmake sets the same for the project's own targets.
if(VRENK_MINGW_TRIPLE MATCHES "^i686-")
    set(_vrenk_runtime_link "-shared-libgcc -Wl,-Bstatic")
else()
    set(_vrenk_runtime_link "-static -static-libgcc -static-libstdc++")
endif()
set(CMAKE_EXE_LINKER_FLAGS_INIT "${_vrenk_runtime_link}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${_vrenk_runtime_link}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${_vrenk_runtime_link}")

# CTest (and gtest_discover_tests) run cross-built programs through Wine.
# The prefix lives in the build tree and is made on first use.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    get_filename_component(_vrenk_cmake_dir "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        "${_vrenk_cmake_dir}/wine-run.sh;--prefix;${CMAKE_BINARY_DIR}/wine")
endif()
