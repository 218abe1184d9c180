#!/usr/bin/env bash
# Installs what the build and the tests need from Debian's packages; quiet and
# quick when everything is there already.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config ccache
    qt6-base-dev qt6-base-dev-tools libgl-dev
    fonts-dejavu-core fonts-liberation
    libx11-dev libxdamage-dev libxtst-dev xvfb xauth x11-utils x11-xserver-utils
    mingw-w64 g++-mingw-w64-x86-64 wine wine64
    dpkg-dev file locales python3
    dbus at-spi2-core python3-gi gir1.2-atspi-2.0
    gzip lintian appstream desktop-file-utils nsis
    clang libclang-rt-14-dev llvm
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=""
    if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi
