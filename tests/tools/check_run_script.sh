#!/usr/bin/env bash
# tools/run.sh builds what the program folder ships and no test: a newcomer's
# first start should not wait for the whole suite to compile.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
target=$(grep -oP 'cmake --build build --target \K\S+' "$root/tools/run.sh" || true)
[[ -n $target ]] || { echo "tools/run.sh builds every target (no --target)"; exit 1; }
commands=$(ninja -C "$build" -t commands "$target")
if tests=$(grep -F "$root/tests/" <<<"$commands"); then
    echo "tools/run.sh's target $target builds tests:"; head -3 <<<"$tests"; exit 1
fi
for program in Velmora velmora-cli velmora-sim Ethernet_Update LANGUAGE/English.lng; do
    grep -qE "Velmora/$program(\.exe)?( |\$)" <<<"$commands" \
        || { echo "tools/run.sh's target $target does not build $program"; exit 1; }
done
echo "tools/run.sh builds $target: the programs and language files, no test"
