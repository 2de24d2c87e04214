#!/usr/bin/env bash
# Installs what the build, the program and the tests need on Debian 12. Safe to run again: it asks
# apt-get only for packages that are missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-ugly gstreamer1.0-tools
  libcurl4-openssl-dev ca-certificates duktape-dev libcpp-httplib-dev libssl-dev
  libjpeg-dev libpng-dev zlib1g-dev libqrencode-dev
  libx11-dev libxcb1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool x11-utils fonts-wqy-microhei sox
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "setup: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo=sudo
fi
echo "setup: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
