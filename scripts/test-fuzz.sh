#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang, under AddressSanitizer and
# UndefinedBehaviorSanitizer, into build-fuzz/, and runs each for a fixed
# number of inputs from its seeds: a smoke run, not a search (README:
# "Fuzzing" for long runs).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build tests fuzz
start=$SECONDS

werror=OFF
if [[ -n "${CI:-}" ]]; then werror=ON; fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DSTARBOND_TESTS=OFF -DSTARBOND_FUZZ=ON \
    -DSTARBOND_WARNINGS_AS_ERRORS=$werror >/dev/null
cmake --build build-fuzz -j2 --target fuzz_reading fuzz_referral
built=$SECONDS

ctest --test-dir build-fuzz -L fuzz --output-on-failure -j2 --timeout 300
echo "Fuzz smoke run: $((SECONDS - built)) s (build $((built - start)) s)"
