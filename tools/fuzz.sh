#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number
# of seconds (default 60), starting from its committed seed corpus. Prints the
# executions and the findings of every target; exits 1 when any target found
# a crash. Findings are kept in build-fuzz/findings/<target>/. A compiler
# warning fails the build.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DVELMORA_FUZZ=ON -DVELMORA_WERROR=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz --target fuzz_all
failed=0
printf '%-22s %12s %9s\n' target executions findings
for seeds in fuzz/corpus/*/; do
    name=$(basename "$seeds")
    binary=build-fuzz/fuzz/fuzz_$name
    [[ -x $binary ]] || continue
    work=build-fuzz/corpus/$name
    findings=build-fuzz/findings/$name
    mkdir -p "$work" "$findings"
    log=build-fuzz/fuzz_$name.log
    set +e
    "$binary" -max_total_time="$seconds" -artifact_prefix="$findings/" -print_final_stats=1 \
        "$work" "$seeds" >"$log" 2>&1
    set -e
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
    found=$(find "$findings" -type f | wc -l)
    printf '%-22s %12s %9s\n' "$name" "${runs:-0}" "$found"
    if ((found > 0)); then
        failed=1
        grep -m3 -E 'ERROR|SUMMARY' "$log" || true
    fi
done
exit $failed
