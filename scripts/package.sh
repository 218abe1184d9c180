#!/usr/bin/env bash
# Builds the program and its Debian package, installing only what that takes;
# prints the package's path (build/starbond_<version>_<arch>.deb).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build package
# What the package installs: the program, its manual page and changelog.
scripts/build.sh starbond starbond_docs >&2
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
deb=build/starbond_${version}_$(dpkg --print-architecture).deb
rm -f "$deb"
if ! log=$(cd build && cpack 2>&1); then
    echo "$log" >&2
    exit 1
fi
echo "$deb"
