#!/usr/bin/env bash
# Builds the fuzz preset's targets and fuzzes each for SECONDS, one after the other, from its
# seed corpus in tests/fuzz/corpus/ (real inputs and the inputs of past findings, all replayed
# first). Prints one line a target:
#     <name> runs=<N> findings=<K> peak_mb=<M>
# and after it the input of each finding, kept under build/fuzz/findings/<name>/. A finding is
# a crash or a sanitizer's report, a broken rule of the reader, an allocation past 1 GB or
# 2 GB in use, or one input taking longer than TIMEOUT seconds; the target's log says which.
# Exits non-zero when any target made a finding.
#
#     bash scripts/fuzz.sh SECONDS
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${1:?usage: scripts/fuzz.sh SECONDS}
timeout=${TIMEOUT:-10}
targets=(bitmap_fuzzer mipmap_base_fuzzer saver_command_line_fuzzer settings_fuzzer
    mci_reply_fuzzer launch_options_fuzzer desktop_pixels_fuzzer portable_pixmap_fuzzer)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target "${targets[@]}" >/dev/null

# The value libFuzzer's final statistics give for one name, 0 when it printed none.
final_stat() {
    local value
    value=$(sed -n "s/^stat::$1: *//p" "$2" | tail -n 1)
    echo "${value:-0}"
}

found_any=0
for target in "${targets[@]}"; do
    # New inputs grow a working corpus in the build folder; the repository's seeds stay as
    # they are.
    work=build/fuzz/corpus/$target findings=build/fuzz/findings/$target
    log=build/fuzz/$target.log
    rm -rf "$findings"
    mkdir -p "$work" "$findings"
    build/fuzz/bin/"$target" -max_total_time="$seconds" -timeout="$timeout" \
        -rss_limit_mb=2048 -malloc_limit_mb=1024 -print_final_stats=1 \
        -artifact_prefix="$findings/" "$work" "tests/fuzz/corpus/$target" >"$log" 2>&1 || true
    shopt -s nullglob
    kept=("$findings"/*)
    shopt -u nullglob
    echo "$target runs=$(final_stat number_of_executed_units "$log")" \
        "findings=${#kept[@]} peak_mb=$(final_stat peak_rss_mb "$log")"
    for input in "${kept[@]}"; do
        echo "  finding: $input (log: $log)"
        found_any=1
    done
done
exit "$found_any"
