#!/usr/bin/env bash
# Installs the Debian packages the Linux build, tests and demo need, when run
# as root and something is missing. Without root it only says what is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  libegl-dev libgl-dev libglx-dev libx11-dev libgl1-mesa-dri libegl-mesa0 libglx-mesa0
  libpng-dev zlib1g-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev libglfw3-dev xdotool
  xvfb xauth
  clang libclang-rt-14-dev
)

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
