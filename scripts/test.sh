#!/usr/bin/env bash
# Builds and runs every test: the host unit tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, a short fuzz run of every reader of outside bytes, then both Windows
# flavours of the programs and their tests under Wine on a private virtual display: the 64-bit
# flavour always, the 32-bit one where this machine has its packages and can execute 32-bit
# programs.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source tests/tools/wine-flavour.sh
jobs=$(nproc)

cmake --preset native -DVORLENTA_SANITIZE=ON
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs" --timeout 300

# A few seconds of fuzzing every reader of outside bytes from its seeds and past findings; a
# finding fails the run and leaves its input in build/fuzz/findings/ for a regression input.
bash scripts/fuzz.sh 8

for flavour in win32 win64; do
    cmake --preset "$flavour"
    cmake --build --preset "$flavour" -j "$jobs"
done

# Both flavours' suites run even when the first fails, so one run tells all.
report=() failed=0
for flavour in win64 win32; do
    if ! why=$(vorlenta_flavour_runs "$flavour"); then
        # What can be read from the built files needs no Wine: checked all the same.
        if ctest --preset "$flavour" -L static --timeout 300; then
            report+=("$flavour built and its files checked, not run ($why)")
        else
            report+=("$flavour built, file checks FAILED ($why)")
            failed=1
        fi
        [[ "$flavour" != win64 ]] || failed=1
        continue
    fi
    if tests/tools/wine-env --flavour "$flavour" ctest --preset "$flavour" -j "$jobs" --timeout 600; then
        report+=("$flavour built and tested")
    else
        report+=("$flavour built, tests FAILED")
        failed=1
    fi
done
# The release command with a throwaway certificate and without any; it rebuilds both flavours'
# programs and packages, so it comes after their suites.
if tests/tools/wine-env --flavour win64 bash tests/win32/release/signing_test.sh; then
    report+=("release signed and unsigned as asked")
else
    report+=("release signing FAILED")
    failed=1
fi
printf -v summary '%s; ' "${report[@]}"
echo "Windows flavours: ${summary%; }"
exit "$failed"
