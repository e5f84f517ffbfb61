#!/usr/bin/env bash
# Installs the library into a temporary prefix and builds and runs a small
# host against it, once through find_package and once through pkg-config.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build/default}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
cmake -S "$top/tests/consumer" -B "$work/consumer" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/consumer" >/dev/null
LD_LIBRARY_PATH="$work/prefix/lib:${LD_LIBRARY_PATH:-}" "$work/consumer/consumer"

pcdir=$(dirname "$(find "$work/prefix" -name VrenkGLWidge.pc | head -n 1)")
flags=$(PKG_CONFIG_PATH="$pcdir" pkg-config --cflags --libs VrenkGLWidge)
# shellcheck disable=SC2086
g++ -std=c++17 "$top/tests/consumer/main.cpp" -o "$work/consumer-pc" $flags
LD_LIBRARY_PATH="$work/prefix/lib:${LD_LIBRARY_PATH:-}" "$work/consumer-pc"
echo "consumer-check: find_package and pkg-config consumers built and ran"
