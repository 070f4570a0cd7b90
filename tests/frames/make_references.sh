#!/usr/bin/env bash
# Remakes the reference frames from this checkout: the Linux program's headless frames, and the
# Windows renderer's frames under Wine for each flavour this machine runs. Only from a build
# known to draw right: the references are what every later build is judged against. Look at the
# new pictures before committing them, and measure them against the old (tests/tools/frames.py).
#
#     bash tests/frames/make_references.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
source tests/tools/wine-flavour.sh

python3 tests/frames/make_picture.py tests/frames/picture.bmp
cmake --preset native -DVORLENTA_SANITIZE=ON >/dev/null
cmake --build --preset native -j "$(nproc)" --target vorlenta keep_gl_driver
VORLENTA_REMAKE_FRAMES=1 ctest --preset native -L frames
for flavour in win64 win32; do
    if ! why=$(vorlenta_flavour_runs "$flavour"); then
        echo "make_references: $flavour not remade ($why)"
        continue
    fi
    cmake --preset "$flavour" >/dev/null
    cmake --build --preset "$flavour" -j "$(nproc)" --target renderer_frame_hold window_probe
    VORLENTA_REMAKE_FRAMES=1 tests/tools/wine-env --flavour "$flavour" ctest --preset "$flavour" -L frames
done
git status --short tests/frames
