#!/usr/bin/env bash
# Installs what building, running and testing Corvane needs on Debian 12 (run as root).
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  libqcustomplot-dev libqcustomplot2.1-qt6
  fonts-noto-cjk fonts-dejavu-core xvfb xauth x11-apps imagemagick
  poppler-utils clang libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
