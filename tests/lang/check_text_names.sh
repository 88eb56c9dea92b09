#!/usr/bin/env bash
# The program reads its texts by name (lang/UText.h), never by a bare number:
# a Lang(...) or texts.value(...) call with a number literal in the program's
# own folders fails this check.
set -euo pipefail
cd "$1"
found=$(grep -rnE '\b(Lang|texts\.value)\( *[0-9]' --include='*.cpp' --include='*.h' \
    common lang project params image update check options plant console cli ui platform app sim standin || true)
if [[ -n $found ]]; then
    echo "Texts read by number instead of by their name in lang/UText.h:"
    echo "$found"
    exit 1
fi
echo "Every text is read by its name."
