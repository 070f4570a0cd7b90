#!/usr/bin/env bash
# Builds the Win32 programs and runs the screen saver under Wine.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$(nproc)"

saver=build/win32/bin/Vorlenta.scr
if [[ ! -f "$saver" ]]; then
    echo "run: the screen saver is not built yet; only the animation model and its tests exist."
    exit 0
fi
