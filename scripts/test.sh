#!/usr/bin/env bash
# Builds and runs every test: the host unit tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the Win32 programs and their tests under Wine on a private
# virtual display.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
jobs=$(nproc)

cmake --preset native -DVORLENTA_SANITIZE=ON
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs" --timeout 300

cmake --preset win32
cmake --build --preset win32 -j "$jobs"
tests/tools/wine-env ctest --preset win32 -j "$jobs" --timeout 600
