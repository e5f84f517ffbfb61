# Writes the module-definition (.def) file that makes a DLL export the read
# side of the statically linked libpng under libpng's own names.
#
#   cmake -DNM=<nm> -DARCHIVE=<libpng .a> -DHEADER=<png.h> -DOUTPUT=<file.def>
#         -P png-exports.cmake
#
# A function is exported when
#   - png.h declares it as part of libpng's interface (PNG_EXPORT and kin),
#   - the archive defines it (options compiled out are skipped), outside the
#     write-side members (pngwrite, pngwio, pngwtran, pngwutil), and
#   - its name is not a write-side one (the deny list below also covers the
#     write setters that live in shared members such as pngset).
# Nothing of zlib is listed, and with an explicit export list GNU ld exports
# nothing automatically; __declspec(dllexport) symbols are still exported.

foreach(_var NM ARCHIVE HEADER OUTPUT)
    if(NOT DEFINED ${_var} OR "${${_var}}" STREQUAL "")
        message(FATAL_ERROR "png-exports.cmake: ${_var} is not set")
    endif()
endforeach()

# libpng's interface, from the header the library was built from.
file(STRINGS "${HEADER}" _decls REGEX "PNG_(EXPORTA?|FP_EXPORT|FIXED_EXPORT)\\([0-9]+,")
set(_api "")
foreach(_line IN LISTS _decls)
    if(_line MATCHES "PNG_(EXPORTA?|FP_EXPORT|FIXED_EXPORT)\\([0-9]+,[^,]*,[ \t]*([A-Za-z_][A-Za-z_0-9]*)")
        list(APPEND _api "${CMAKE_MATCH_2}")
    endif()
endforeach()
list(REMOVE_DUPLICATES _api)
list(LENGTH _api _n_api)
if(_n_api LESS 100)
    message(FATAL_ERROR "png-exports.cmake: found only ${_n_api} interface functions in ${HEADER}")
endif()

# Global text symbols defined in the archive, with the member defining each:
#   archive.a:member.obj:00000000 T _png_read_info
execute_process(
    COMMAND "${NM}" -A -g --defined-only "${ARCHIVE}"
    OUTPUT_VARIABLE _nm_out
    ERROR_VARIABLE _nm_err
    RESULT_VARIABLE _nm_rc)
if(NOT _nm_rc EQUAL 0)
    message(FATAL_ERROR "png-exports.cmake: ${NM} failed on ${ARCHIVE}: ${_nm_err}")
endif()
string(REPLACE "\n" ";" _nm_lines "${_nm_out}")

set(_write_side_names
    "^png_write_"
    "^png_create_write_struct"
    "^png_destroy_write_struct"
    "^png_set_write_"
    "^png_set_compression_"
    "^png_set_text_compression_"
    "^png_set_filter"
    "^png_set_flush$"
    "^png_image_write_"
    "^png_convert_from_")

set(_defined "")
foreach(_line IN LISTS _nm_lines)
    if(NOT _line MATCHES "^(.*):([^:]+):[0-9A-Fa-f]+ T _?(png_[A-Za-z_0-9]+)$")
        continue()
    endif()
    set(_member "${CMAKE_MATCH_2}")
    set(_name "${CMAKE_MATCH_3}")
    if(_member MATCHES "^pngw")
        continue()
    endif()
    list(APPEND _defined "${_name}")
endforeach()

set(_exports "")
foreach(_name IN LISTS _api)
    list(FIND _defined "${_name}" _at)
    if(_at EQUAL -1)
        continue()
    endif()
    set(_write_side FALSE)
    foreach(_re IN LISTS _write_side_names)
        if(_name MATCHES "${_re}")
            set(_write_side TRUE)
            break()
        endif()
    endforeach()
    if(NOT _write_side)
        list(APPEND _exports "${_name}")
    endif()
endforeach()
list(SORT _exports)

# A broken nm parse must not pass for an export list.
foreach(_required png_create_read_struct png_create_read_struct_2 png_create_info_struct
                  png_destroy_read_struct png_read_info png_set_longjmp_fn png_get_IHDR)
    list(FIND _exports "${_required}" _at)
    if(_at EQUAL -1)
        message(FATAL_ERROR "png-exports.cmake: ${_required} is not among the exports made from ${ARCHIVE}")
    endif()
endforeach()

list(LENGTH _exports _n)
set(_def "; Read side of libpng, exported under its own names (generated).\nEXPORTS\n")
foreach(_name IN LISTS _exports)
    string(APPEND _def "    ${_name}\n")
endforeach()

file(WRITE "${OUTPUT}" "${_def}")
message(STATUS "png-exports: ${_n} libpng read-side functions in ${OUTPUT}")
