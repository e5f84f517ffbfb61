#!/usr/bin/env bash
# Installs each Windows build into a temporary prefix, as a Windows developer
# would get it, and builds a small host against the package with the same
# mingw-w64 toolchain file and find_package(VrenkGLWidge); then runs the host
# under Wine on an X display (xvfb-run -a, or DISPLAY). A 32-bit host is
# built and checked but run only where the kernel runs 32-bit programs.
#
#   scripts/consumer-check-windows.sh [BUILD_DIR...]   (default: build/windows build/windows64)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
[ $# -gt 0 ] || set -- "$top/build/windows" "$top/build/windows64"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "consumer-check-windows: $*" >&2; exit 1; }

for build in "$@"; do
  build=$(cd "$build" && pwd)
  toolchain=$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=//p' "$build/CMakeCache.txt")
  [ -f "$toolchain" ] || fail "$build was not configured with a toolchain file"
  objdump=$(sed -n 's/^CMAKE_OBJDUMP:[A-Z]*=//p' "$build/CMakeCache.txt")
  name=$(basename "$build")
  prefix="$work/$name/prefix"
  cmake --install "$build" --prefix "$prefix" >/dev/null

  # The package: the DLL with what it needs beside it, the import library,
  # the headers and the CMake package.
  for f in bin/VrenkGLWidge.dll lib/VrenkGLWidge.dll.a include/VrenkGLWidge/VrenkGLWidge.h \
           lib/cmake/VrenkGLWidge/VrenkGLWidgeConfig.cmake; do
    [ -f "$prefix/$f" ] || fail "$name: the package has no $f"
  done
  bash "$top/scripts/check-dll-tables.sh" "$prefix/bin/VrenkGLWidge.dll"

  # Cross builds search only the toolchain's root for packages, so the
  # package's directory is given.
  cmake -S "$top/tests/consumer" -B "$work/$name/consumer" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVrenkGLWidge_DIR="$prefix/lib/cmake/VrenkGLWidge" >/dev/null
  cmake --build "$work/$name/consumer" >/dev/null
  exe="$work/$name/consumer/consumer.exe"
  [ -f "$exe" ] || fail "$name: no consumer.exe was built"

  # Beside the host: everything the package says it needs.
  for dll in "$prefix"/bin/*.dll; do
    [ -f "$work/$name/consumer/$(basename "$dll")" ] || fail "$name: $(basename "$dll") was not copied beside the host"
  done
  imports=$("$objdump" -p "$exe" 2>/dev/null | awk '/DLL Name:/ { print $3 }' | tr '\n' ' ')
  case "$("$objdump" -f "$exe" 2>/dev/null | awk '/file format/ && !seen { print $NF; seen = 1 }')" in
    pei-i386)
      # The host must use the unwinder the DLL uses, or it cannot catch
      # the library's exceptions.
      case " $imports " in *" libgcc_s_dw2-1.dll "*) ;; *) fail "$name: the host does not link libgcc_s_dw2-1.dll (imports: $imports)" ;; esac
      if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
        echo "consumer-check-windows: $name: 32-bit host built against the package (imports: $imports); this kernel cannot run 32-bit programs, so it is not run"
        continue
      fi
      ;;
  esac
  # The Wine prefix of the build's own test suite is reused.
  bash "$top/cmake/wine-run.sh" --prefix "$build/wine" "$exe" ||
    fail "$name: the host built against the package failed under Wine"
  echo "consumer-check-windows: $name: host built with find_package against the installed package and ran under Wine"
done
