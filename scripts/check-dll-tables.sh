#!/usr/bin/env bash
# Checks the export and import tables of the Windows DLL.
#
#   scripts/check-dll-tables.sh VrenkGLWidge.dll
#
# Exports: libpng's read side must be there under libpng's own names; no
# libpng write-side function and nothing of zlib may be.
# Imports: Windows' own DLLs, and on i686 exactly one MinGW runtime DLL,
# libgcc_s_dw2-1.dll: the DLL and its hosts must share one DWARF-2 exception
# unwinder, or an exception leaving the DLL terminates the host.  Never
# libstdc++-6.dll or libwinpthread-1.dll (linked in statically), nor a zlib
# or libpng DLL.  On x86-64 (SEH unwinding) Windows' own DLLs only.
# Every runtime DLL the DLL needs, and every one those need in turn, must lie
# beside it, as in the build's bin/ and an installed package's bin/.
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
is_system_dll() { printf '%s\n' "$1" | tr '[:upper:]' '[:lower:]' | grep -Eq "$system_dll_re"; }
dll_imports() { "$OBJDUMP" -p "$1" | awk '/^[ \t]*DLL Name:/ { print $3 }'; }

format="$(printf '%s\n' "$dump" | awk '/file format/ && !seen { print $NF; seen = 1 }')"
case "$format" in
    pei-i386) runtime_dll=libgcc_s_dw2-1.dll ;;
    pei-x86-64) runtime_dll="" ;;
    *) fail "unknown machine type ($format)" ;;
esac

[ -n "$imports" ] || fail "no import table found"
have_runtime=0
while read -r d; do
    [ -n "$d" ] || continue
    is_system_dll "$d" && continue
    lower="$(printf '%s' "$d" | tr '[:upper:]' '[:lower:]')"
    if [ -n "$runtime_dll" ] && [ "$lower" = "$runtime_dll" ]; then
        have_runtime=1
        continue
    fi
    case "$lower" in
        libstdc++*|libwinpthread*)
            fail "imports the MinGW runtime DLL $d (libstdc++ and winpthread must be linked statically)" ;;
        libgcc*)
            fail "imports $d (on ${format#pei-} libgcc ${runtime_dll:+is $runtime_dll}${runtime_dll:-must be linked statically})" ;;
        zlib*|libz*|libpng*)
            fail "imports $d (zlib and libpng must be linked statically)" ;;
        *)
            fail "imports $d, which is not one of Windows' own DLLs" ;;
    esac
done <<<"$imports"
if [ -n "$runtime_dll" ] && [ "$have_runtime" -eq 0 ]; then
    fail "does not import $runtime_dll: libgcc is linked statically, so an exception leaving the DLL terminates its host (link with -shared-libgcc)"
fi

# The runtime DLLs beside the DLL, and what they import in turn.
dir="$(dirname "$dll")"
queue=()
[ "$have_runtime" -eq 0 ] || queue=("$runtime_dll")
shipped=()
while [ "${#queue[@]}" -gt 0 ]; do
    d="${queue[0]}"
    queue=("${queue[@]:1}")
    case " ${shipped[*]} " in *" $d "*) continue ;; esac
    if [ ! -f "$dir/$d" ]; then
        fail "$d is not beside the DLL in $dir"
        continue
    fi
    shipped+=("$d")
    while read -r dep; do
        [ -n "$dep" ] && ! is_system_dll "$dep" && queue+=("$dep")
    done < <(dll_imports "$dir/$d")
done

n_exports="$(printf '%s\n' "$exports" | grep -c . || true)"
if [ "${#failures[@]}" -ne 0 ]; then
    echo "check-dll-tables: $dll FAILS:" >&2
    printf '  %s\n' "${failures[@]}" >&2
    exit 1
fi
echo "check-dll-tables: $dll OK: $n_exports exports, imports $(printf '%s' "$imports" | tr '\n' ' ')${shipped[*]:+; beside it: ${shipped[*]}}"
