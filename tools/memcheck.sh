#!/usr/bin/env bash
# Runs the configurator under Valgrind's memcheck from start to close on the
# offscreen platform, in a fresh copy of its program folder. The probe plugin
# (bench/bench_shown_probe.cpp, key "velmoraclose") closes the main window
# once it has shown, so the program takes its own way out: settings written,
# windows destroyed. Leaks inside Qt and the font libraries are suppressed by
# tools/memcheck.supp. Prints the summaries; exits 1 on any invalid access,
# use of uninitialised memory or definite leak, or when the program did not
# reach its close.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${VELMORA_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target Velmora velmora_languages bench_shown_probe

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp -a "$build/Velmora/." "$folder/"
rm -f "$folder/Velmora.xml"
log=$build/memcheck.log

set +e
QT_QPA_PLATFORM=offscreen QT_PLUGIN_PATH="$PWD/$build/bench/plugins" QT_QPA_GENERIC_PLUGINS=velmoraclose \
    timeout 900 valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite \
    --errors-for-leak-kinds=definite --track-origins=yes --num-callers=30 \
    --suppressions=tools/memcheck.supp --error-exitcode=99 --log-file="$log" \
    "$folder/Velmora"
code=$?
set -e

grep -E 'ERROR SUMMARY|definitely lost|indirectly lost|possibly lost|suppressed:' "$log" | sed 's/^==[0-9]*== //'
if [[ $code -ne 0 ]]; then
    echo "memcheck: the program ended with $code; the full report is $log"
    exit 1
fi
if [[ ! -f $folder/Velmora.xml ]]; then
    echo "memcheck: the program did not write its settings, so it did not close its main window"
    exit 1
fi
echo "memcheck: clean from start to close (full report: $log)"
