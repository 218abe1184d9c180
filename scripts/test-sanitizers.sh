#!/usr/bin/env bash
# Builds the whole project under AddressSanitizer and UndefinedBehaviorSanitizer
# into build-asan/ and runs the whole CTest suite there, the real program
# included. Any report fails the stage, also one from a program a test
# started: every report goes to a log in build-asan/sanitizer-logs/. Leaks
# made wholly inside system libraries are suppressed in tests/lsan.supp, by the
# whole stack of each allocation (the system's libraries keep no frame pointers).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build tests
start=$SECONDS

werror=OFF
if [[ -n "${CI:-}" ]]; then werror=ON; fi
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
    -DSTARBOND_SANITIZE=ON -DSTARBOND_WARNINGS_AS_ERRORS=$werror >/dev/null
cmake --build build-asan -j2
built=$SECONDS

logs=$PWD/build-asan/sanitizer-logs
rm -rf "$logs"
mkdir -p "$logs"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:fast_unwind_on_malloc=0:check_initialization_order=1:strict_init_order=1:log_path=$logs/asan"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$logs/ubsan"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
status=0
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
    ctest --test-dir build-asan --output-on-failure -j2 --timeout 600 || status=1
if compgen -G "$logs/*" >/dev/null; then
    echo "Sanitizer reports:" >&2
    cat "$logs"/* >&2
    status=1
fi
echo "Sanitizer stage: $((SECONDS - built)) s (build $((built - start)) s)"
exit $status
