#!/usr/bin/env bash
# Runs a cross-built Windows program under Wine; CTest uses it as the
# cross-compiling emulator.
#
#   wine-run.sh [--prefix DIR] PROGRAM.exe [ARGS...]
#
# The Wine prefix is DIR-win32 or DIR-win64 after the program's machine type
# (default DIR: $VRENK_WINEPREFIX, else ./wine).  It is made on first use with
# `wineboot -i` (a minute or two) and reused by later runs; delete it to start
# afresh.  Runs may be concurrent: the first one makes the prefix, the others
# wait for it.
#
# Needs an X display in DISPLAY (run under xvfb-run or start Xvfb).
# WINEDEBUG defaults to -all; set it to see Wine's messages.
# The program's output is passed on when it has exited (see below), and its
# exit status is returned.
set -euo pipefail

die() { echo "wine-run: $*" >&2; exit 1; }

prefix_base="${VRENK_WINEPREFIX:-$PWD/wine}"
if [ "${1:-}" = "--prefix" ]; then
    [ $# -ge 2 ] || die "--prefix needs a directory"
    prefix_base="$2"
    shift 2
fi
[ $# -ge 1 ] || die "usage: $0 [--prefix DIR] PROGRAM.exe [ARGS...]"
program="$1"
[ -f "$program" ] || die "no such program: $program"

# Machine type from the PE header: e_lfanew at 0x3c, then "PE\0\0" and the
# 16-bit machine field.
read_le() {  # FILE OFFSET COUNT -> unsigned little-endian integer
    od -An -tu"$3" -j "$2" -N "$3" --endian=little "$1" 2>/dev/null | tr -d ' '
}
pe_offset="$(read_le "$program" 60 4)"
[ -n "$pe_offset" ] && [ "$(od -An -c -j "$pe_offset" -N 2 "$program" 2>/dev/null | tr -d ' ')" = "PE" ] ||
    die "$program is not a Windows program"
machine="$(read_le "$program" $((pe_offset + 4)) 2)"
case "$machine" in
    332)   arch=win32; loader="${VRENK_WINE:-/usr/lib/wine/wine}" ;;     # 0x14c
    34404) arch=win64; loader="${VRENK_WINE64:-/usr/lib/wine/wine64}" ;; # 0x8664
    *) die "$program: unsupported machine type $machine" ;;
esac
if [ ! -x "$loader" ]; then
    alt="$(command -v "$(basename "$loader")" || true)"
    [ -n "$alt" ] || die "Wine's $arch loader ($loader) is not installed: run scripts/install-windows-deps.sh as root"
    loader="$alt"
fi

if ! "$loader" --version >/dev/null 2>&1; then
    if [ "$arch" = win32 ] && [ -e /lib/ld-linux.so.2 ] &&
       ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
        die "this kernel cannot run 32-bit Linux programs (IA-32 emulation is off), so 32-bit Wine cannot start"
    fi
    die "$loader does not run"
fi

[ -n "${DISPLAY:-}" ] ||
    die "DISPLAY is not set: run the tests on an X display (e.g. xvfb-run -a ctest)"

export WINEPREFIX="$prefix_base-$arch"
export WINEARCH="$arch"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono/Gecko install prompts (there is no network), no menu entries.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"

wineserver_bin="$(dirname "$loader")/wineserver"
[ -x "$wineserver_bin" ] || wineserver_bin="$(command -v wineserver || true)"
[ -n "$wineserver_bin" ] || die "wineserver not found"

mkdir -p "$(dirname "$WINEPREFIX")"
ready="$WINEPREFIX/.vrenk-prefix-ready"
if [ ! -f "$ready" ]; then
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ ! -f "$ready" ]; then
        rm -rf "$WINEPREFIX"
        log="$WINEPREFIX.log"
        echo "wine-run: making Wine prefix $WINEPREFIX (log: $log)" >&2
        # Wine's helper processes outlive wineboot; keep them off the
        # caller's output so CTest does not wait for them.
        if ! "$loader" wineboot.exe -i >"$log" 2>&1 </dev/null; then
            die "wineboot failed, see $log"
        fi
        "$wineserver_bin" -w >>"$log" 2>&1 </dev/null || true
        touch "$ready"
    fi
    exec 9>&-
fi

# Keep the server (and Wine's services) alive briefly between tests, started
# detached from the caller's output.
"$wineserver_bin" -p5 >/dev/null 2>&1 </dev/null || true

# Wine's helper processes (services, the desktop, device drivers) inherit
# the program's standard output and error and outlive it by seconds; on a
# pipe, CTest would wait for them.  So the program writes to files, which
# are passed on when it has exited.
out="$(mktemp "${TMPDIR:-/tmp}/wine-run.out.XXXXXX")"
err="$(mktemp "${TMPDIR:-/tmp}/wine-run.err.XXXXXX")"
trap 'rm -f "$out" "$err"' EXIT
status=0
"$loader" "$@" >"$out" 2>"$err" || status=$?
cat "$out"
cat "$err" >&2
exit "$status"
