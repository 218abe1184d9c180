#!/usr/bin/env bash
# Builds the Windows program and its installer with mingw-w64 into build-win/
# (build-win/starbond-<version>-setup.exe), Qt for Windows first (built once
# into the user's cache by scripts/qt-windows.sh). Installs only what building
# takes: no Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build windows
qt=$(scripts/qt-windows.sh)
werror=OFF
if [[ -n "${CI:-}" ]]; then werror=ON; fi
# Qt's own toolchain file finds Qt for Windows and chainloads ours.
cmake -S . -B build-win -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DSTARBOND_WARNINGS_AS_ERRORS=$werror >/dev/null
cmake --build build-win
cmake --build build-win --target installer
