#!/usr/bin/env bash
# Builds the Windows program and its installer with mingw-w64 into build-win/
# (build-win/starbond-<version>-setup.exe), Qt for Windows first (built once
# into the user's cache by scripts/qt-windows.sh). Installs only what building
# takes: no Wine. Built with Debian 13's tool chain and Qt: on another release
# in the Debian 13 root (scripts/debian13.sh), where build-win/ is made.
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ $(. /etc/os-release && echo "${VERSION_ID:-}") != 13 ]]; then
    exec scripts/debian13.sh run scripts/windows.sh
fi
scripts/setup.sh build windows
qt=$(scripts/qt-windows.sh)
werror=OFF
if [[ -n "${CI:-}" ]]; then werror=ON; fi
# A tree configured against another build of Qt for Windows (an earlier
# version, other options) is made afresh; the Wine prefix stays.
toolchain=$qt/lib/cmake/Qt6/qt.toolchain.cmake
if [[ -f build-win/CMakeCache.txt &&
    $(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=//p' build-win/CMakeCache.txt) != "$toolchain" ]]; then
    find build-win -mindepth 1 -maxdepth 1 ! -name wineprefix -exec rm -rf {} +
fi
# Qt's own toolchain file finds Qt for Windows and chainloads ours.
cmake -S . -B build-win -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DSTARBOND_WARNINGS_AS_ERRORS=$werror >/dev/null
cmake --build build-win
cmake --build build-win --target installer
