#!/usr/bin/env bash
# Configures and builds into build/ (warnings are errors under CI).
#   scripts/build.sh                       everything, the tests included
#   scripts/build.sh starbond ...          only these targets; a fresh tree is
#                                          configured without the tests
set -euo pipefail
cd "$(dirname "$0")/.."
werror=OFF
if [[ -n "${CI:-}" ]]; then werror=ON; fi
options=(-DSTARBOND_TESTS=ON)
targets=()
if (($#)); then
    # A tree that has the tests keeps them.
    options=()
    [[ -f build/CMakeCache.txt ]] || options=(-DSTARBOND_TESTS=OFF)
    targets=(--target "$@")
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTARBOND_WARNINGS_AS_ERRORS=$werror "${options[@]}" >/dev/null
cmake --build build "${targets[@]}"
