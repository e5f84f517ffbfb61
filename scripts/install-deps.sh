#!/usr/bin/env bash
# Installs the Debian packages the Linux build, tests and demo need, when run
# as root and something is missing. Without root it only says what is missing.
#
#   scripts/install-deps.sh [--list]
#     --list   print the package list, one a line, and install nothing
#              (scripts/check-header-packages.sh reads it)
set -euo pipefail

# Everything the builds include must come from these packages or from what
# they depend on: installs leave recommended packages out. libglfw3-dev
# only recommends libxrandr-dev, which GLFW's native header includes.
packages=(
  cmake ninja-build g++ make pkg-config
  libegl-dev libgl-dev libglx-dev libx11-dev libgl1-mesa-dri libegl-mesa0 libglx-mesa0
  libpng-dev zlib1g-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev libglfw3-dev libxrandr-dev xdotool
  xvfb xauth
  libwayland-dev wayland-protocols weston
  clang libclang-rt-14-dev
)

case "${1:-}" in
  --list) printf '%s\n' "${packages[@]}"; exit 0 ;;
  "") ;;
  *) echo "usage: $0 [--list]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages (run as root to install): ${missing[*]}" >&2
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
