#!/usr/bin/env bash
# Installs the Debian packages that Zarul needs; only missing ones are installed.
#   tools/install-deps.sh game    what the game needs to build and run (./run.sh)
#   tools/install-deps.sh test    the game's packages plus the test and benchmark stack (./test.sh)
#   tools/install-deps.sh fuzz    clang with libFuzzer for tools/fuzz/run-xml-fuzz.sh
# apt-get runs as root or through sudo; without either the script prints the
# exact command to run and exits with 1.
set -euo pipefail

game=(
    build-essential cmake pkg-config
    libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev libfltk1.3-dev
    libgl-dev libegl-dev libglu1-mesa-dev libgl1-mesa-dri
    libjpeg-dev libpng-dev zlib1g-dev
    libcairo2-dev fonts-dejavu-core
)
test=(
    libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev
    xvfb xauth xdotool imagemagick
)
fuzz=(clang)

case "${1:-}" in
    game) packages=("${game[@]}") ;;
    test) packages=("${game[@]}" "${test[@]}") ;;
    fuzz) packages=("${fuzz[@]}") ;;
    *)
        echo "usage: $0 game|test|fuzz" >&2
        exit 2
        ;;
esac

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

command_line="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
elif command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
else
    echo "Missing packages: ${missing[*]}" >&2
    echo "Neither root nor sudo is available here; as root, run:" >&2
    echo "    apt-get update && $command_line" >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO env DEBIAN_FRONTEND=noninteractive $command_line -q
