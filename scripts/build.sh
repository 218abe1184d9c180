#!/usr/bin/env bash
# Configures and builds into build/ (warnings are errors under CI).
#   scripts/build.sh                       everything, the tests included
#   scripts/build.sh starbond ...          only these targets, in the tree as it
#                                          is configured; a fresh one without
#                                          the tests, unless a target is one
set -euo pipefail
cd "$(dirname "$0")/.."
werror=OFF
if [[ -n "${CI:-}" ]]; then werror=ON; fi
# The compile commands serve the Qt checker (scripts/test-clazy.sh).
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTARBOND_WARNINGS_AS_ERRORS=$werror -DCMAKE_EXPORT_COMPILE_COMMANDS=ON)
targets=()
if (($#)); then
    targets=(--target "$@")
    # A tree keeps its settings (the tests, the warnings): no rebuild.
    if [[ -f build/CMakeCache.txt ]]; then
        options=()
    elif [[ " $* " == *" test_"* ]]; then
        options+=(-DSTARBOND_TESTS=ON)
    else
        options+=(-DSTARBOND_TESTS=OFF)
    fi
else
    options+=(-DSTARBOND_TESTS=ON)
fi
cmake -S . -B build -G Ninja "${options[@]}" >/dev/null
cmake --build build "${targets[@]}"
