#!/usr/bin/env bash
# Cross-builds the configurator and its tests for 64-bit Windows into
# build-win/ (tools/windows/build.sh, which installs what is missing) and runs
# every test under Wine in a fresh Windows 10 prefix on the offscreen
# platform. Ends with how many Windows tests passed and were skipped, each
# skip with its reason.
set -euo pipefail
cd "$(dirname "$0")/../.."
started=$(date +%s)
tools/windows/build.sh
source tools/windows/env.sh
built=$(date +%s)

# A fresh prefix, so nothing a former run left there counts.
"$velmora_wineserver" -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
"$velmora_wine" wineboot --init >/dev/null 2>&1
"$velmora_wine" winecfg -v win10 >/dev/null 2>&1
# Wine marks names with a leading dot hidden as Unix would; Windows does not.
"$velmora_wine" reg add 'HKCU\Software\Wine' /v ShowDotFiles /d Y /f >/dev/null 2>&1
"$velmora_wineserver" -w
echo "Wine prefix $WINEPREFIX: $("$velmora_wine" cmd /c ver 2>/dev/null | tr -d '\r' | grep -v '^$')"
prefixed=$(date +%s)

status=0
# The whole output of every test goes into the JUnit file, for the summary.
(cd "$velmora_win_build" && ctest --output-on-failure --output-junit ctest-junit.xml \
    --test-output-size-passed 10000000 --test-output-size-failed 10000000) || status=$?
"$velmora_wineserver" -k 2>/dev/null || true
finished=$(date +%s)
echo "Windows part took $((finished - started)) s: build $((built - started)) s," \
     "fresh prefix $((prefixed - built)) s, tests $((finished - prefixed)) s"
python3 tools/windows/test_summary.py "$velmora_win_build/ctest-junit.xml" || status=1
exit $status
