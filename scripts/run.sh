#!/usr/bin/env bash
# Set-up, build, and start the program: only what building and starting need
# is installed, and only the program is built.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    scripts/build.sh starbond starbond-snapshots
    cat >&2 <<'MSG'
There is no display here, so the program cannot open its window.
Run this command from a desktop session, or get the pictures instead:
    build/tools/starbond-snapshots docs/
renders every window to PNG files without a display.
MSG
    exit 1
fi
scripts/build.sh starbond
exec build/src/starbond
