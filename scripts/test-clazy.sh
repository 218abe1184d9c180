#!/usr/bin/env bash
# KDE's Qt checker over src/, levels 0 to 2, on the tree scripts/build.sh made
# (its compile commands): any finding fails, and so does a file it cannot
# check. The Win32 backends are checked by the compiler of the Windows stage
# alone.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh clazy
start=$SECONDS
[[ -f build/compile_commands.json ]] || { echo "clazy: build/ is not configured (scripts/build.sh)" >&2; exit 1; }
report=$(mktemp)
trap 'rm -f "$report"' EXIT
status=0
find src -name '*.cpp' ! -name '*_win32.cpp' -print0 | sort -z |
    xargs -0 -P "$(nproc)" -n 4 clazy-standalone -p build --checks=level2 --extra-arg=-Wno-error >"$report" 2>&1 ||
    status=$?
findings=$(grep -F '[-Wclazy' "$report" | sort -u || true)
if ((status)) || [[ -n $findings ]]; then
    if [[ -n $findings ]]; then echo "$findings" >&2; else cat "$report" >&2; fi
    echo "clazy: $(grep -c . <<<"$findings") findings, status $status" >&2
    exit 1
fi
echo "clazy: no findings in $(find src -name '*.cpp' ! -name '*_win32.cpp' | wc -l) files ($((SECONDS - start)) s)"
