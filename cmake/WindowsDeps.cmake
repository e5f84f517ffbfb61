# Third-party parts of the Windows build (mingw-w64 cross build), included by
# the top-level CMakeLists.txt when WIN32.  Provides:
#
#   png_static_win     libpng, built statically from its upstream source
#                      (fetched at configure time by
#                      scripts/fetch-libpng-source.sh); PUBLIC include dir
#                      holds png.h, pngconf.h and pnglibconf.h
#   ZLIB::ZLIB         mingw-w64 zlib, the static archive
#   gtest, gtest_main, gmock, gmock_main (and GTest::gtest, GTest::gtest_main,
#   GTest::gmock, GTest::gmock_main)
#                      GoogleTest built from /usr/src/googletest
#   VRENK_RUNTIME_DLLS the MinGW runtime DLLs that ship beside the DLL (i686:
#                      libgcc_s_dw2-1.dll and what it imports; x86-64: none)
#   vrenk_export_libpng_read_api(<dll target>)
#                      makes the DLL export libpng's read side under
#                      libpng's own names (see cmake/png-exports.cmake)
#
# Cache variables:
#   VRENK_LIBPNG_SOURCE_DIR   an unpacked libpng source tree to use instead of
#                             fetching one
#   VRENK_DEPS_DOWNLOAD_DIR   where the libpng source is fetched to
#   VRENK_GOOGLETEST_SOURCE_DIR

include_guard(GLOBAL)

if(NOT WIN32)
    message(FATAL_ERROR "WindowsDeps.cmake is for the Windows build only")
endif()

get_filename_component(_vrenk_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

# libpng and zlib are C.
get_property(_vrenk_languages GLOBAL PROPERTY ENABLED_LANGUAGES)
if(NOT "C" IN_LIST _vrenk_languages)
    enable_language(C)
endif()

# ------------------------------------------------------- C++ runtime -----
# libstdc++ and winpthread are linked into every module.  One exception
# unwinder must serve the DLL and its hosts: on x86-64 (SEH unwinding) a
# static libgcc in each module is one in effect, but on i686 (DWARF-2) each
# static copy knows only its own module's frames, and an exception leaving
# the DLL would terminate the host.  So on i686 every module links libgcc as
# libgcc_s_dw2-1.dll, which is copied beside the DLL and installed with it,
# together with any MinGW runtime DLL it needs in turn (the posix thread
# model's libgcc imports libwinpthread-1.dll).  The toolchain file sets the
# same flags; repeated here for other toolchain files.
set(VRENK_RUNTIME_DLLS "")
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    # -Bstatic keeps libstdc++ and winpthread static; it still finds
    # libgcc_s.a, which is libgcc_s_dw2-1.dll's import library.
    add_link_options(-shared-libgcc LINKER:-Bstatic)
    # -static or -static-libgcc would win over -shared-libgcc. A build
    # directory configured before keeps the toolchain file's former flags in
    # its cache: those are replaced, anything else is an error.
    foreach(_kind EXE SHARED MODULE)
        set(_flags "${CMAKE_${_kind}_LINKER_FLAGS}")
        if(_flags STREQUAL "-static -static-libgcc -static-libstdc++")
            set(CMAKE_${_kind}_LINKER_FLAGS "-shared-libgcc -Wl,-Bstatic" CACHE STRING
                "Flags used by the linker during the creation of ${_kind} targets." FORCE)
            message(STATUS "CMAKE_${_kind}_LINKER_FLAGS: the static libgcc of an earlier configuration replaced")
        elseif(_flags MATCHES "(^| )-static(-libgcc)?( |$)")
            message(FATAL_ERROR
                "CMAKE_${_kind}_LINKER_FLAGS (${_flags}) links libgcc statically; on i686 the DLL and its "
                "hosts must share libgcc_s_dw2-1.dll")
        endif()
    endforeach()

    # The runtime DLL named NAME, from the compiler's own directories.
    function(_vrenk_find_runtime_dll name out)
        execute_process(COMMAND "${CMAKE_CXX_COMPILER}" "-print-file-name=${name}"
            OUTPUT_VARIABLE _path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${_path}" OR NOT EXISTS "${_path}")
            message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${name} is")
        endif()
        get_filename_component(_path "${_path}" REALPATH)
        set(${out} "${_path}" PARENT_SCOPE)
    endfunction()

    _vrenk_find_runtime_dll(libgcc_s_dw2-1.dll _vrenk_libgcc_dll)
    list(APPEND VRENK_RUNTIME_DLLS "${_vrenk_libgcc_dll}")
    # The MinGW DLLs (lib*.dll) that libgcc itself imports; the rest of its
    # imports are Windows' own.
    execute_process(COMMAND "${CMAKE_OBJDUMP}" -p "${_vrenk_libgcc_dll}"
        OUTPUT_VARIABLE _vrenk_libgcc_dump RESULT_VARIABLE _vrenk_objdump_rc)
    if(NOT _vrenk_objdump_rc EQUAL 0)
        message(FATAL_ERROR "${CMAKE_OBJDUMP} -p ${_vrenk_libgcc_dll} failed")
    endif()
    string(REGEX MATCHALL "DLL Name: lib[^
]*\.dll" _vrenk_libgcc_imports "${_vrenk_libgcc_dump}")
    foreach(_imp IN LISTS _vrenk_libgcc_imports)
        string(REGEX REPLACE "^DLL Name: " "" _imp "${_imp}")
        _vrenk_find_runtime_dll("${_imp}" _vrenk_dep_dll)
        list(APPEND VRENK_RUNTIME_DLLS "${_vrenk_dep_dll}")
    endforeach()
    list(REMOVE_DUPLICATES VRENK_RUNTIME_DLLS)

    # Beside the DLL in bin/, where the test programs and the demo find them.
    foreach(_dll IN LISTS VRENK_RUNTIME_DLLS)
        get_filename_component(_name "${_dll}" NAME)
        configure_file("${_dll}" "${CMAKE_BINARY_DIR}/bin/${_name}" COPYONLY)
    endforeach()
    message(STATUS "C++ runtime DLLs shipped beside the DLL: ${VRENK_RUNTIME_DLLS}")
else()
    add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# ---------------------------------------------------------------- zlib -----
set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)
get_target_property(_vrenk_zlib_location ZLIB::ZLIB IMPORTED_LOCATION)
if(_vrenk_zlib_location MATCHES "\\.dll\\.a$")
    message(FATAL_ERROR "found zlib's import library (${_vrenk_zlib_location}), not the static one")
endif()

# -------------------------------------------------------------- libpng -----
set(VRENK_LIBPNG_SOURCE_DIR "" CACHE PATH
    "Unpacked libpng source tree (fetched from the distribution's source archive when empty)")
set(VRENK_DEPS_DOWNLOAD_DIR "${CMAKE_BINARY_DIR}/_deps" CACHE PATH
    "Where the libpng source is fetched to")

if(VRENK_LIBPNG_SOURCE_DIR)
    set(_vrenk_png_src "${VRENK_LIBPNG_SOURCE_DIR}")
else()
    message(STATUS "Fetching libpng source into ${VRENK_DEPS_DOWNLOAD_DIR}/libpng")
    execute_process(
        COMMAND bash "${_vrenk_root}/scripts/fetch-libpng-source.sh" "${VRENK_DEPS_DOWNLOAD_DIR}/libpng"
        OUTPUT_VARIABLE _vrenk_fetch_out
        RESULT_VARIABLE _vrenk_fetch_rc)
    if(NOT _vrenk_fetch_rc EQUAL 0)
        message(FATAL_ERROR
            "Fetching libpng's source failed (see above).  Run scripts/fetch-libpng-source.sh "
            "as root once, or set VRENK_LIBPNG_SOURCE_DIR to an unpacked libpng 1.6 tree.")
    endif()
    string(STRIP "${_vrenk_fetch_out}" _vrenk_fetch_out)
    string(REGEX REPLACE ".*\n" "" _vrenk_png_src "${_vrenk_fetch_out}")
endif()
foreach(_f png.h pngconf.h png.c pngread.c scripts/pnglibconf.h.prebuilt)
    if(NOT EXISTS "${_vrenk_png_src}/${_f}")
        message(FATAL_ERROR "${_vrenk_png_src} is not a libpng source tree (no ${_f})")
    endif()
endforeach()

file(STRINGS "${_vrenk_png_src}/png.h" _vrenk_png_ver REGEX "^#define PNG_LIBPNG_VER_STRING ")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" _vrenk_png_ver "${_vrenk_png_ver}")
if(NOT _vrenk_png_ver MATCHES "^1\\.6\\.")
    message(FATAL_ERROR "libpng 1.6 is needed; ${_vrenk_png_src} holds ${_vrenk_png_ver}")
endif()
message(STATUS "libpng ${_vrenk_png_ver} from ${_vrenk_png_src}")

# Public headers in a directory of their own, so that users of png_static_win
# do not see libpng's private headers.  The default configuration is the
# prebuilt pnglibconf.h (everything on, as in libpng's own builds).
set(_vrenk_png_inc "${CMAKE_BINARY_DIR}/_deps/libpng-include")
configure_file("${_vrenk_png_src}/png.h" "${_vrenk_png_inc}/png.h" COPYONLY)
configure_file("${_vrenk_png_src}/pngconf.h" "${_vrenk_png_inc}/pngconf.h" COPYONLY)
configure_file("${_vrenk_png_src}/scripts/pnglibconf.h.prebuilt" "${_vrenk_png_inc}/pnglibconf.h" COPYONLY)

set(_vrenk_png_sources "")
foreach(_f png pngerror pngget pngmem pngpread pngread pngrio pngrtran pngrutil
           pngset pngtrans pngwio pngwrite pngwtran pngwutil)
    list(APPEND _vrenk_png_sources "${_vrenk_png_src}/${_f}.c")
endforeach()

add_library(png_static_win STATIC ${_vrenk_png_sources})
target_include_directories(png_static_win
    PUBLIC "${_vrenk_png_inc}"
    PRIVATE "${_vrenk_png_src}")
# The x86 SIMD filters are only built when asked for; the other
# architectures' ones do not apply.
target_compile_definitions(png_static_win PRIVATE
    PNG_INTEL_SSE_OPT=0 PNG_ARM_NEON_OPT=0 PNG_MIPS_MSA_OPT=0 PNG_POWERPC_VSX_OPT=0)
target_link_libraries(png_static_win PUBLIC ZLIB::ZLIB)
set_target_properties(png_static_win PROPERTIES
    OUTPUT_NAME png16_static
    ARCHIVE_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/_deps/libpng-build")
set(VRENK_LIBPNG_VERSION "${_vrenk_png_ver}" CACHE INTERNAL "")
set(VRENK_LIBPNG_INCLUDE_DIR "${_vrenk_png_inc}" CACHE INTERNAL "")

# Makes DLL_TARGET export libpng's read side under libpng's own names and
# nothing of libpng's write side or of zlib.  The export list is a .def file
# made from the built archive; GNU ld exports the __declspec(dllexport)
# symbols of the DLL's own code as well.
function(vrenk_export_libpng_read_api dll_target)
    set(_def "${CMAKE_CURRENT_BINARY_DIR}/${dll_target}-libpng-read.def")
    add_custom_command(
        OUTPUT "${_def}"
        COMMAND "${CMAKE_COMMAND}"
            "-DNM=${CMAKE_NM}"
            "-DARCHIVE=$<TARGET_FILE:png_static_win>"
            "-DHEADER=${VRENK_LIBPNG_INCLUDE_DIR}/png.h"
            "-DOUTPUT=${_def}"
            -P "${_vrenk_root}/cmake/png-exports.cmake"
        DEPENDS png_static_win "$<TARGET_FILE:png_static_win>" "${_vrenk_root}/cmake/png-exports.cmake"
        COMMENT "Listing libpng's read-side functions for ${dll_target}"
        VERBATIM)
    target_sources(${dll_target} PRIVATE "${_def}")
    target_link_libraries(${dll_target} PRIVATE png_static_win)
    # Belt and braces: never export anything automatically (ld would export
    # every global symbol, zlib's included, if the explicit list were lost).
    target_link_options(${dll_target} PRIVATE "LINKER:--exclude-all-symbols")
endfunction()

# ---------------------------------------------------------- GoogleTest -----
set(VRENK_GOOGLETEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "GoogleTest source tree")
if(NOT TARGET gtest)
    if(NOT EXISTS "${VRENK_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt")
        message(FATAL_ERROR
            "No GoogleTest source in ${VRENK_GOOGLETEST_SOURCE_DIR}: install Debian's googletest package")
    endif()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory("${VRENK_GOOGLETEST_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/_deps/googletest" EXCLUDE_FROM_ALL)
endif()
foreach(_t gtest gtest_main gmock gmock_main)
    if(TARGET ${_t} AND NOT TARGET GTest::${_t})
        add_library(GTest::${_t} ALIAS ${_t})
    endif()
endforeach()
