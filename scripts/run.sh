#!/usr/bin/env bash
# Set-up, build, and start the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    cat >&2 <<'MSG'
There is no display here, so the program cannot open its window.
Run this command from a desktop session, or get the pictures instead:
    build/tools/starbond-snapshots docs/
renders every window to PNG files without a display.
MSG
    exit 1
fi
exec build/src/starbond
