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

# Self-contained binaries: no libgcc_s, libstdc++ or libwinpthread DLL.  The
# toolchain file sets the same; repeated here for other toolchain files.
add_link_options(-static -static-libgcc -static-libstdc++)

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
