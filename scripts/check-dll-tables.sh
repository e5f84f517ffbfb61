#!/usr/bin/env bash
# Checks the export and import tables of the Windows DLL.
#
#   scripts/check-dll-tables.sh VrenkGLWidge.dll
#
# Exports: libpng's read side must be there under libpng's own names; no
# libpng write-side function and nothing of zlib may be.
# Imports: Windows' own DLLs only; no MinGW runtime (libstdc++, libgcc,
# winpthread) and no zlib or libpng DLL.
#
# OBJDUMP may name the objdump to use (default: the one of the DLL's machine).
# Exits non-zero, listing every violation, when a rule is broken.
set -euo pipefail

[ $# -eq 1 ] || { echo "usage: $0 DLL" >&2; exit 2; }
dll="$1"
[ -f "$dll" ] || { echo "check-dll-tables: no such file: $dll" >&2; exit 2; }

if [ -z "${OBJDUMP:-}" ]; then
    for cand in i686-w64-mingw32-objdump x86_64-w64-mingw32-objdump objdump; do
        if command -v "$cand" >/dev/null 2>&1 && "$cand" -p "$dll" >/dev/null 2>&1; then
            OBJDUMP="$cand"
            break
        fi
    done
    [ -n "${OBJDUMP:-}" ] || { echo "check-dll-tables: no objdump reads $dll" >&2; exit 2; }
fi

dump="$("$OBJDUMP" -p "$dll")" || { echo "check-dll-tables: $OBJDUMP -p $dll failed" >&2; exit 2; }

# Export names: the rows of the "[Ordinal/Name Pointer] Table" section,
#   [   0] png_read_info
exports="$(printf '%s\n' "$dump" | awk '
    /^\[Ordinal\/Name Pointer\] Table/ { in_table = 1; next }
    in_table && /^[ \t]*\[ *[0-9]+\]/ { sub(/^[ \t]*\[ *[0-9]+\][ \t]*/, ""); print; next }
    in_table && NF == 0 { in_table = 0 }
')"
imports="$(printf '%s\n' "$dump" | awk '/^[ \t]*DLL Name:/ { print $3 }')"

failures=()
fail() { failures+=("$*"); }

# grep -q would stop reading early and, with pipefail, fail the pipe on SIGPIPE.
has_export() { printf '%s\n' "$exports" | grep -x -- "$1" >/dev/null; }

required=(
    png_access_version_number png_get_libpng_ver png_sig_cmp png_set_sig_bytes
    png_create_read_struct png_create_read_struct_2 png_destroy_read_struct
    png_create_info_struct png_destroy_info_struct
    png_init_io png_set_read_fn png_get_io_ptr
    png_set_longjmp_fn png_longjmp png_set_error_fn png_get_error_ptr
    png_error png_warning png_malloc png_free png_calloc png_set_mem_fn
    png_read_info png_read_update_info png_read_image png_read_row png_read_rows
    png_read_end png_read_png
    png_get_IHDR png_get_image_width png_get_image_height png_get_bit_depth
    png_get_color_type png_get_rowbytes png_get_valid png_get_channels
    png_get_PLTE png_get_tRNS png_get_rows
    png_set_expand png_set_palette_to_rgb png_set_tRNS_to_alpha png_set_gray_to_rgb
    png_set_strip_16 png_set_packing png_set_bgr png_set_filler png_set_add_alpha
    png_set_interlace_handling png_set_swap_alpha
    png_set_IHDR png_set_rows
)
for f in "${required[@]}"; do
    has_export "$f" || fail "export missing: $f"
done

forbidden="$(printf '%s\n' "$exports" | grep -E \
    -e '^png_(write|create_write_struct|destroy_write_struct|set_write_|set_compression_|set_text_compression_|set_filter|set_flush$|image_write_|convert_from_)' \
    -e '^(deflate|inflate|adler32|crc32|compress|uncompress|zlib|zError|gz|get_crc_table|_tr_|z_)' \
    || true)"
if [ -n "$forbidden" ]; then
    while read -r f; do fail "forbidden export: $f"; done <<<"$forbidden"
fi

# Windows' own DLLs (and the API sets of the Universal CRT).
system_dll_re='^(kernel32|user32|gdi32|opengl32|glu32|msvcrt|advapi32|shell32|ole32|oleaut32|comdlg32|comctl32|ws2_32|winmm|imm32|version|shlwapi|dwmapi|uxtheme|ntdll|bcrypt|crypt32|secur32|setupapi|dbghelp|psapi|userenv|ucrtbase|api-ms-win-[a-z0-9-]+)\.dll$'
[ -n "$imports" ] || fail "no import table found"
while read -r d; do
    [ -n "$d" ] || continue
    lower="$(printf '%s' "$d" | tr '[:upper:]' '[:lower:]')"
    if ! printf '%s\n' "$lower" | grep -Eq "$system_dll_re"; then
        case "$lower" in
            libstdc++*|libgcc*|libwinpthread*)
                fail "imports the MinGW runtime DLL $d (link with -static -static-libgcc -static-libstdc++)" ;;
            zlib*|libz*|libpng*)
                fail "imports $d (zlib and libpng must be linked statically)" ;;
            *)
                fail "imports $d, which is not one of Windows' own DLLs" ;;
        esac
    fi
done <<<"$imports"

n_exports="$(printf '%s\n' "$exports" | grep -c . || true)"
if [ "${#failures[@]}" -ne 0 ]; then
    echo "check-dll-tables: $dll FAILS:" >&2
    printf '  %s\n' "${failures[@]}" >&2
    exit 1
fi
echo "check-dll-tables: $dll OK: $n_exports exports, imports $(printf '%s' "$imports" | tr '\n' ' ')"
