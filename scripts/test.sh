#!/usr/bin/env bash
# Set-up, build, and every test headless: the Linux suite through CTest (under
# a virtual X server for the tests that start the real program), the Qt
# checker over src/, the Debian package, the suite again under the
# sanitizers, a smoke run of the fuzz targets, the suite and the package once
# more on Debian 13 (in a root of it, on another release), then the Windows
# program cross-built with mingw-w64 and run under Wine (on Debian 13). Each
# stage installs what it adds when it comes to it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build tests
CI=${CI:-1} scripts/build.sh
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --test-dir build --output-on-failure -j2 --timeout 300
scripts/test-clazy.sh
scripts/test-package.sh
CI=${CI:-1} scripts/test-sanitizers.sh
CI=${CI:-1} scripts/test-fuzz.sh
CI=${CI:-1} scripts/test-debian13.sh
scripts/test-windows.sh
