#!/usr/bin/env bash
# Builds and runs every test: the host unit tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, a short fuzz run of the bitmap decoder, then the Win32 programs
# and their tests under Wine on a private virtual display.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
jobs=$(nproc)

cmake --preset native -DVORLENTA_SANITIZE=ON
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs" --timeout 300

# Half a minute of fuzzing the bitmap decoder from the real-encoder files; a finding fails the
# run and leaves its input in build/fuzz/ for a regression test.
cmake --preset fuzz
cmake --build --preset fuzz -j "$jobs" --target bitmap_fuzzer
fuzz_corpus=$(mktemp -d)
trap 'rm -rf "$fuzz_corpus"' EXIT
cp tests/unit/bitmap/data/*.bmp "$fuzz_corpus/"
if ! build/fuzz/bin/bitmap_fuzzer -max_total_time=30 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
    -artifact_prefix=build/fuzz/ -print_final_stats=1 "$fuzz_corpus" \
    >build/fuzz/bitmap_fuzzer.log 2>&1; then
    cat build/fuzz/bitmap_fuzzer.log
    exit 1
fi
tail -n 12 build/fuzz/bitmap_fuzzer.log

cmake --preset win32
cmake --build --preset win32 -j "$jobs"
tests/tools/wine-env ctest --preset win32 -j "$jobs" --timeout 600
