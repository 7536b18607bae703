#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need.
# Only packages that are missing are installed; apt-get runs as root or through sudo.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    libsdl2-dev libsdl2-mixer-dev libfltk1.3-dev
    libgl-dev libegl-dev libglu1-mesa-dev libgl1-mesa-dri
    libjpeg-dev libpng-dev zlib1g-dev
    libcairo2-dev fonts-dejavu-core
    libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev
    xvfb xauth xdotool imagemagick
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
else
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
