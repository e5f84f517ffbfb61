#!/usr/bin/env bash
# Installs what the 32-bit Windows build needs on a Debian (bookworm) machine:
# the i686 mingw-w64 cross compiler, mingw zlib, 32-bit Wine with Mesa's
# i386 OpenGL drivers, Xvfb, and GoogleTest's sources.
#
# Idempotent: installs nothing when everything is already there.  As root it
# adds the i386 architecture, updates the package lists and installs what is
# missing; as any other user it lists what is missing and exits non-zero.
#
#   scripts/install-windows-deps.sh [--check] [--win64] [--list]
#     --check   only report, never install (exit 1 when something is missing)
#     --win64   also the x86-64 cross compiler and 64-bit Wine, for a 64-bit
#               build of the tests where 32-bit programs cannot run
#     --list    print the package list, one a line (i386 ones as NAME:i386),
#               and install nothing (scripts/check-header-packages.sh reads it)
set -euo pipefail

check_only=0
win64=0
list_only=0
for arg in "$@"; do
    case "$arg" in
        --check) check_only=1 ;;
        --win64) win64=1 ;;
        --list) list_only=1 ;;
        *) echo "usage: $0 [--check] [--win64] [--list]" >&2; exit 2 ;;
    esac
done

# Host-side tools.
packages=(
    cmake ninja-build make xz-utils
    g++-mingw-w64-i686
    libz-mingw-w64-dev
    googletest
    xvfb xauth
    wine
)
# 32-bit runtime for Wine.  Recommends are not installed (they drag in
# GStreamer, CUPS, ...), so the libraries Wine loads at run time for X11 and
# OpenGL are listed explicitly; fonts-wine gives GDI its default faces.
packages_i386=(
    wine32
    libgl1 libgl1-mesa-dri
    libxrender1 libxrandr2 libxi6 libxcursor1 libxinerama1
    libxcomposite1 libxfixes3 libxxf86vm1
)
packages+=(fonts-wine)
if [ "$win64" -eq 1 ]; then
    packages+=(g++-mingw-w64-x86-64-posix wine64)
fi

if [ "$list_only" -eq 1 ]; then
    printf '%s\n' "${packages[@]}"
    printf '%s:i386\n' "${packages_i386[@]}"
    exit 0
fi

# Some kernels are built or booted without IA-32 emulation; 32-bit Wine
# installs there but cannot start.
warn_ia32() {
    if [ -e /lib/ld-linux.so.2 ] && ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
        echo "install-windows-deps: warning: this kernel cannot run 32-bit programs (IA-32 emulation is off):" \
             "32-bit Wine will not start here" >&2
    fi
}

is_installed() {
    [ "$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null)" = installed ]
}

have_i386=0
if [ "$(dpkg --print-architecture)" = i386 ] ||
   dpkg --print-foreign-architectures | grep -qx i386; then
    have_i386=1
fi

missing=()
for p in "${packages[@]}"; do
    is_installed "$p" || missing+=("$p")
done
for p in "${packages_i386[@]}"; do
    is_installed "$p:i386" || missing+=("$p:i386")
done

if [ "${#missing[@]}" -eq 0 ] && [ "$have_i386" -eq 1 ]; then
    echo "install-windows-deps: everything is installed"
    warn_ia32
    exit 0
fi

if [ "$check_only" -eq 1 ] || [ "$(id -u)" -ne 0 ]; then
    [ "$have_i386" -eq 1 ] || echo "install-windows-deps: missing: dpkg architecture i386 (dpkg --add-architecture i386)" >&2
    [ "${#missing[@]}" -eq 0 ] || echo "install-windows-deps: missing packages: ${missing[*]}" >&2
    [ "$check_only" -eq 1 ] || echo "install-windows-deps: run this script as root to install them" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if [ "$have_i386" -eq 0 ]; then
    echo "install-windows-deps: adding architecture i386"
    dpkg --add-architecture i386
fi
echo "install-windows-deps: installing: ${missing[*]}"
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"

# Verify: a package that failed to configure must not pass for installed.
still=()
for p in "${missing[@]}"; do
    is_installed "$p" || still+=("$p")
done
if [ "${#still[@]}" -ne 0 ]; then
    echo "install-windows-deps: still missing after install: ${still[*]}" >&2
    exit 1
fi
echo "install-windows-deps: done"
warn_ia32
