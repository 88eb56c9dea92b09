#!/usr/bin/env bash
# The Windows scripts use (and tools/windows/test.sh deletes) only the build's
# own Wine prefix, whatever WINEPREFIX the developer's environment names.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Stands for a developer's own prefix, such as ~/.wine-office.
mkdir "$work/own-prefix"
used=$(WINEPREFIX="$work/own-prefix" VELMORA_WIN_BUILD="$work/build-win" \
       bash -c 'source "$1/tools/windows/env.sh" 2>/dev/null; echo "$WINEPREFIX"' _ "$root")
[[ $used == "$work/build-win/wine-prefix" ]] \
    || { echo "with WINEPREFIX=$work/own-prefix set, the scripts use and delete $used"; exit 1; }
echo "the scripts use only the build's own prefix $used"
