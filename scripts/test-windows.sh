#!/usr/bin/env bash
# Cross-builds the Qt-free libraries and the Win32 backends, runs their tests under Wine.
set -euo pipefail
echo "Windows stage: not yet built"
