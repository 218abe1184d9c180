#!/usr/bin/env bash
# Configures and builds into build/ (warnings are errors under CI).
set -euo pipefail
cd "$(dirname "$0")/.."
werror=OFF
if [[ -n "${CI:-}" ]]; then werror=ON; fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTARBOND_WARNINGS_AS_ERRORS=$werror >/dev/null
cmake --build build
