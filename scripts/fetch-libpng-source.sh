#!/usr/bin/env bash
# Fetches libpng's upstream source (the .orig tarball of Debian's libpng1.6
# source package) into DESTDIR, unpacks it there and prints the unpacked
# source directory as the last line of standard output.  Everything else goes
# to standard error.
#
#   scripts/fetch-libpng-source.sh DESTDIR
#
# Environment:
#   VRENK_LIBPNG_SRCPKG   source package to fetch (default: libpng1.6); may
#                         name a version, e.g. libpng1.6=1.6.39-2
#
# Idempotent: when DESTDIR already holds an unpacked tree, it is printed and
# nothing is fetched.  When apt knows no source packages yet, and only then,
# a deb-src list is derived from the machine's own apt sources (the entries
# of this distribution's release), written next to them, and apt's lists are
# updated for it alone; this needs root.
set -euo pipefail

die() { echo "fetch-libpng-source: $*" >&2; exit 1; }
log() { echo "fetch-libpng-source: $*" >&2; }

[ $# -eq 1 ] || die "usage: $0 DESTDIR"
srcpkg="${VRENK_LIBPNG_SRCPKG:-libpng1.6}"
mkdir -p "$1"
dest="$(cd "$1" && pwd)"
marker="$dest/libpng-source-dir"

unpacked_dir() {
    [ -f "$marker" ] || return 1
    local dir
    dir="$(cat "$marker")"
    [ -f "$dir/png.h" ] && [ -f "$dir/scripts/pnglibconf.h.prebuilt" ] || return 1
    echo "$dir"
}

if dir="$(unpacked_dir)"; then
    echo "$dir"
    exit 0
fi

# One fetch at a time per DESTDIR (parallel configures share it).
exec 9>"$dest/.lock"
flock 9
if dir="$(unpacked_dir)"; then
    echo "$dir"
    exit 0
fi

apt_dir=/etc/apt
derived_name=vrenkglwidge-deb-src

# Writes deb-src entries for every enabled 'deb' entry of the given deb822
# file whose suites belong to release $codename (all suites when empty),
# unless the entry has its deb-src already.
derive_deb822() {
    awk -v codename="$codename" '
        function suite_ok(s) {
            return codename == "" || s == codename || index(s, codename "-") == 1
        }
        function flush(   i, n, parts, suites, keep, out, key) {
            if (nlines == 0) return
            if (is_deb && !has_src && !disabled) {
                n = split(suites_val, parts, /[ \t]+/)
                keep = ""
                for (i = 1; i <= n; i++)
                    if (parts[i] != "" && suite_ok(parts[i]))
                        keep = keep (keep == "" ? "" : " ") parts[i]
                if (keep != "") {
                    out = ""
                    for (i = 1; i <= nlines; i++) {
                        key = tolower(keys[i])
                        if (key == "types") out = out "Types: deb-src\n"
                        else if (key == "suites") out = out "Suites: " keep "\n"
                        else if (key == "architectures") continue
                        else out = out lines[i] "\n"
                    }
                    printf "%s%s", (emitted ? "\n" : ""), out
                    emitted = 1
                }
            }
            nlines = 0; is_deb = 0; has_src = 0; disabled = 0; suites_val = ""
        }
        /^[ \t]*#/ { next }
        /^[ \t]*$/ { flush(); next }
        /^[ \t]/ {                       # continuation of the previous field
            if (nlines > 0) lines[nlines] = lines[nlines] "\n" $0
            next
        }
        {
            nlines++
            lines[nlines] = $0
            key = $0; sub(/:.*/, "", key); keys[nlines] = key
            val = $0; sub(/^[^:]*:[ \t]*/, "", val)
            lk = tolower(key)
            if (lk == "types") {
                n = split(val, t, /[ \t]+/)
                for (i = 1; i <= n; i++) {
                    if (t[i] == "deb") is_deb = 1
                    if (t[i] == "deb-src") has_src = 1
                }
            } else if (lk == "suites") suites_val = val
            else if (lk == "enabled" && tolower(val) == "no") disabled = 1
        }
        END { flush() }
    ' "$1"
}

# Same for a one-line-style list file.
derive_list() {
    awk -v codename="$codename" '
        /^[ \t]*deb[ \t]/ {
            line = $0
            sub(/^[ \t]*deb[ \t]+/, "", line)
            opts = ""
            if (line ~ /^\[/) {
                opts = line; sub(/\].*/, "]", opts)
                sub(/^\[[^]]*\][ \t]*/, "", line)
            }
            n = split(line, f, /[ \t]+/)
            if (n < 2) next
            s = f[2]
            if (codename != "" && s != codename && index(s, codename "-") != 1) next
            print "deb-src " (opts == "" ? "" : opts " ") line
        }
    ' "$1"
}

# Whether apt knows the source package at all (any version).
have_sources() {
    apt-get source --print-uris --only-source "${srcpkg%%=*}" >/dev/null 2>&1
}

add_deb_src() {
    [ "$(id -u)" -eq 0 ] ||
        die "apt knows no deb-src entries for $srcpkg; run once as root to add them (or run apt-get source $srcpkg yourself into $dest)"
    codename=""
    if [ -r /etc/os-release ]; then
        codename="$(. /etc/os-release && echo "${VERSION_CODENAME:-}")"
    fi
    local tmp822 tmplist f part
    tmp822="$(mktemp)"; tmplist="$(mktemp)"
    # shellcheck disable=SC2064
    trap "rm -f '$tmp822' '$tmplist'" EXIT
    for f in "$apt_dir"/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        case "$f" in */$derived_name.sources) continue ;; esac
        part="$(derive_deb822 "$f")"
        if [ -n "$part" ]; then
            [ -s "$tmp822" ] && echo >>"$tmp822"
            printf '%s\n' "$part" >>"$tmp822"
        fi
    done
    for f in "$apt_dir"/sources.list "$apt_dir"/sources.list.d/*.list; do
        [ -f "$f" ] || continue
        case "$f" in */$derived_name.list) continue ;; esac
        derive_list "$f" >>"$tmplist"
    done
    [ -s "$tmp822" ] || [ -s "$tmplist" ] ||
        die "found no 'deb' entry for release '${codename:-any}' in $apt_dir to derive deb-src entries from"

    local written=()
    if [ -s "$tmp822" ]; then
        { echo "# deb-src entries derived from this machine's own apt sources"
          echo "# by scripts/fetch-libpng-source.sh (VrenkGLWidge Windows build)."
          cat "$tmp822"; } >"$apt_dir/sources.list.d/$derived_name.sources"
        written+=("$apt_dir/sources.list.d/$derived_name.sources")
    fi
    if [ -s "$tmplist" ]; then
        { echo "# deb-src entries derived from this machine's own apt sources"
          echo "# by scripts/fetch-libpng-source.sh (VrenkGLWidge Windows build)."
          sort -u "$tmplist"; } >"$apt_dir/sources.list.d/$derived_name.list"
        written+=("$apt_dir/sources.list.d/$derived_name.list")
    fi
    rm -f "$tmp822" "$tmplist"
    trap - EXIT
    log "added ${written[*]}"

    # Update the lists of the new entries only; the others stay as they are.
    for f in "${written[@]}"; do
        apt-get update -q -o Dir::Etc::SourceList="$f" -o Dir::Etc::SourceParts=- \
            -o APT::Get::List-Cleanup=0 >&2 ||
            die "apt-get update for $f failed"
    done
}

if ! have_sources; then
    derived_exists=0
    for f in "$apt_dir/sources.list.d/$derived_name.sources" "$apt_dir/sources.list.d/$derived_name.list"; do
        [ -f "$f" ] && derived_exists=1
    done
    if [ "$derived_exists" -eq 1 ] && [ "$(id -u)" -eq 0 ]; then
        # Entries are there but the lists are not (e.g. lists were cleaned).
        log "updating apt lists"
        apt-get update -q >&2 || die "apt-get update failed"
    else
        add_deb_src
    fi
    have_sources || die "apt still finds no source package '${srcpkg%%=*}'"
fi

# The upstream tarball and its hash as apt lists it for one version of the
# source package ('URI' FILE SIZE HASH).
orig_line_for() {
    apt-get source --print-uris --only-source "$1" 2>/dev/null |
        awk '/^'"'"'/ && $2 ~ /\.orig\.tar\.[a-z0-9]+$/ { print; exit }'
}

# Only the upstream tarball is needed, so only it is fetched, checked against
# the hash from the signed index.  The newest source package in the archive
# may be incomplete (its .dsc or Debian part missing, or even its tarball):
# older versions are tried in turn unless a version was asked for.
case "$srcpkg" in
    *=*) candidates=("$srcpkg") ;;
    *)
        candidates=()
        while read -r v; do
            candidates+=("$srcpkg=$v")
        done < <(apt-cache showsrc --only-source "$srcpkg" 2>/dev/null |
                 awk '/^Version:/ { print $2 }' | sort -u | sort -r -V)
        [ "${#candidates[@]}" -gt 0 ] || candidates=("$srcpkg")
        ;;
esac

helper=/usr/lib/apt/apt-helper
[ -x "$helper" ] || die "$helper is missing (package apt)"
helper_opts=()
# Root writes DESTDIR itself; skip apt's drop to its sandbox user, which may
# not be able to write there.
[ "$(id -u)" -ne 0 ] || helper_opts=(-o APT::Sandbox::User=root)

orig_file=""
for cand in "${candidates[@]}"; do
    line="$(orig_line_for "$cand" || true)"
    [ -n "$line" ] || continue
    uri="$(printf '%s\n' "$line" | awk '{ gsub(/'"'"'/, "", $1); print $1 }')"
    file="$(printf '%s\n' "$line" | awk '{ print $2 }')"
    hash="$(printf '%s\n' "$line" | awk '{ print $4 }')"
    case "$file" in */*|.*|"") continue ;; esac
    if [ -f "$dest/$file" ]; then
        orig_file="$file"
        break
    fi
    log "downloading $file ($cand)"
    rm -f "$dest/$file.part"
    if "$helper" "${helper_opts[@]}" download-file "$uri" "$dest/$file.part" ${hash:+"$hash"} >&2; then
        mv "$dest/$file.part" "$dest/$file"
        orig_file="$file"
        break
    fi
    rm -f "$dest/$file.part"
    log "could not fetch $file for $cand; trying an older version"
done
[ -n "$orig_file" ] || die "could not fetch the upstream tarball of any version of '$srcpkg' (tried: ${candidates[*]})"

top="$(tar -tf "$dest/$orig_file" | awk -F/ 'NR == 1 { print $1 }')"
[ -n "$top" ] && [ "$top" != "." ] && [ "$top" != ".." ] ||
    die "unexpected layout of $orig_file"
rm -rf "${dest:?}/$top"
tar -xf "$dest/$orig_file" -C "$dest" --no-same-owner
dir="$dest/$top"
[ -f "$dir/png.h" ] && [ -f "$dir/scripts/pnglibconf.h.prebuilt" ] ||
    die "$orig_file does not hold libpng's source"
echo "$dir" >"$marker"
log "unpacked $dir"
echo "$dir"
