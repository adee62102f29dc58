#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, skipping what is there.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools
  qt6-image-formats-plugins libqt6svg6
  libhidapi-dev libudev-dev libgl-dev libexif-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth desktop-file-utils appstream
  # The USB path on a real kernel (scripts/test-real-kernel.sh), the package
  # check and the Windows syntax check (scripts/check-windows-syntax.sh).
  qemu-system-x86 linux-image-amd64 busybox-static cpio udev python3 lintian
  g++-mingw-w64-x86-64-posix
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
