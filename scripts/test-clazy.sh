#!/usr/bin/env bash
# KDE's Qt checker over src/, levels 0 to 2, on the tree scripts/build.sh made
# (its compile commands): any finding fails. The Win32 backends are checked by
# the compiler of the Windows stage alone.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh clazy
start=$SECONDS
[[ -f build/compile_commands.json ]] || { echo "clazy: build/ is not configured (scripts/build.sh)" >&2; exit 1; }
findings=$(git ls-files 'src/*.cpp' | grep -v '_win32\.cpp$' |
    xargs -P "$(nproc)" -n 4 clazy-standalone -p build --checks=level2 --extra-arg=-Wno-error 2>&1 |
    grep -F '[-Wclazy' | sort -u || true)
if [[ -n $findings ]]; then
    echo "$findings" >&2
    echo "clazy: $(wc -l <<<"$findings") findings" >&2
    exit 1
fi
echo "clazy: no findings ($((SECONDS - start)) s)"
