#!/usr/bin/env bash
# Makes the portable archive, unpacks it in an empty folder and starts the
# program from there: it must come up (still running after two seconds) and
# create its folders beside itself.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -B "$work/out" >/dev/null)
archive=$(ls "$work"/out/Velmora-*.tar.gz)
tar -xzf "$archive" -C "$work"
folder=$(find "$work" -maxdepth 1 -type d -name 'Velmora-*')
for f in Velmora velmora-cli Ethernet_Update LANGUAGE/Italiano.lng LANGUAGE/Deutsch.lng \
         "LANGUAGE/Français.lng" "LANGUAGE/Español.lng" LANGUAGE/DefaultFlag.bmp \
         LANGUAGE/English.bmp LANGUAGE/English.lng; do
    [[ -e "$folder/$f" ]] || { echo "missing in the archive: $f"; exit 1; }
done
set +e
(cd / && QT_QPA_PLATFORM=offscreen timeout -s TERM 2 "$folder/Velmora")
status=$?
set -e
[[ $status -eq 124 ]] || { echo "the unpacked program ended with $status instead of running"; exit 1; }
for d in MASTER PROJECTS LANGUAGE; do
    [[ -d "$folder/$d" ]] || { echo "no $d folder beside the unpacked program"; exit 1; }
done
echo "archive $(basename "$archive") unpacks and starts"
