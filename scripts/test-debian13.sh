#!/usr/bin/env bash
# The Linux suite once more on Debian 13 (Qt 6.8), where the test command runs
# on another release: CTest under a virtual X server, the Qt checker (its
# newer clazy finds more) and the package checks, in the Debian 13 root
# (scripts/debian13.sh), which the project's own set-up furnishes. A root that
# cannot be made or brought up to date fails the stage.
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ $(. /etc/os-release && echo "${VERSION_ID:-}") == 13 ]]; then
    echo "Debian 13 stage: this machine is Debian 13; its suite ran above"
    exit 0
fi
start=$SECONDS
scripts/debian13.sh run bash -c 'scripts/setup.sh build tests &&
    CI=${CI:-1} scripts/build.sh &&
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --test-dir build --output-on-failure -j2 --timeout 300 &&
    scripts/test-clazy.sh &&
    scripts/test-package.sh'
echo "Debian 13 stage: $((SECONDS - start)) s"
