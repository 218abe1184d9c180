#!/usr/bin/env bash
# Cross-builds the Qt-free libraries and the Win32 backends with mingw-w64 and
# runs their tests under Wine. The Wine prefix lives in build-win/wineprefix
# and is created once; later runs reuse it.
set -euo pipefail
cd "$(dirname "$0")/.."

export WINEPREFIX=$PWD/build-win/wineprefix
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# The tests create real windows, so Wine needs an X server.
if [[ ${1:-} == --run-tests ]]; then
    status=0
    for exe in build-win/tests/platform/*.exe; do
        echo "== $(basename "$exe")"
        timeout 120 wine "$exe" || status=1
    done
    # No Wine process may outlive this display.
    wineserver -k || true
    exit $status
fi

start=$SECONDS
werror=OFF
if [[ -n "${CI:-}" ]]; then werror=ON; fi
cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DSTARBOND_WITH_QT=OFF -DSTARBOND_WARNINGS_AS_ERRORS=$werror >/dev/null
cmake --build build-win

prefix=warm
if [[ ! -f $WINEPREFIX/system.reg ]]; then
    prefix=cold
    echo "Creating the Wine prefix in $WINEPREFIX"
    timeout 300 wineboot -i
    timeout 120 wineserver -w
fi

if [[ -n "${DISPLAY:-}" ]]; then
    "$0" --run-tests
else
    xvfb-run -a -s "-noreset" "$0" --run-tests
fi
echo "Windows stage: $((SECONDS - start)) s ($prefix Wine prefix)"
