#!/usr/bin/env bash
# Runs the configurator under Valgrind's memcheck from start to close on the
# offscreen platform, in a fresh copy of its program folder: once as on a
# first start, once more with settings that name a configuration and a
# language file. The probe plugin (bench/bench_shown_probe.cpp, key
# "velmoraclose") closes the main window once it has shown, so the program
# takes its own way out: settings written, windows destroyed. Findings inside
# Qt are suppressed by tools/memcheck.supp. Prints the summaries; exits 1 on
# any invalid access, use of uninitialised memory or definite leak, or when
# the program did not reach its close.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${VELMORA_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target Velmora velmora_languages bench_shown_probe

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp -a "$build/Velmora/." "$folder/"
rm -f "$folder/Velmora.xml"

failed=0
run() {
    local name=$1 log=$build/memcheck-$1.log code
    set +e
    QT_QPA_PLATFORM=offscreen QT_PLUGIN_PATH="$PWD/$build/bench/plugins" \
        QT_QPA_GENERIC_PLUGINS=velmoraclose \
        timeout 900 valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite \
        --errors-for-leak-kinds=definite --track-origins=yes --num-callers=30 \
        --suppressions=tools/memcheck.supp --error-exitcode=99 --log-file="$log" \
        "$folder/Velmora" >/dev/null 2>&1
    code=$?
    set -e
    echo "== $name"
    grep -E 'ERROR SUMMARY|definitely lost|indirectly lost|possibly lost' "$log" | sed 's/^==[0-9]*== *//'
    if [[ $code -ne 0 ]]; then
        echo "memcheck: the program ended with $code; the full report is $log"
        failed=1
    elif [[ ! -f $folder/Velmora.xml ]]; then
        echo "memcheck: no settings written, so the main window did not close; see $log"
        failed=1
    fi
}

run first-start
mkdir -p "$folder/PROJECTS/Demo/bin"
cp fuzz/corpus/pargen/defaults "$folder/PROJECTS/Demo/ParGen.xml"
printf '%s' '<Conf_Settings><lastproj><projectname>Demo</projectname></lastproj><lastlang><language>Italiano</language></lastlang></Conf_Settings>' >"$folder/Velmora.xml"
touch -d '1 minute ago' "$folder/Velmora.xml"
before=$(stat -c %Y "$folder/Velmora.xml")
run configuration-and-language
if ((failed == 0)) && [[ $(stat -c %Y "$folder/Velmora.xml") == "$before" ]]; then
    echo "memcheck: the settings were not written again, so the main window did not close"
    failed=1
fi
((failed == 0)) && echo "memcheck: clean from start to close in both runs"
exit $failed
