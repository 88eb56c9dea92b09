#!/usr/bin/env bash
# Makes the portable archive, unpacks it in an empty folder and starts the
# program from there: it must come up (still running after two seconds) and
# create its folders beside itself. Qt's translations of its own texts for the
# shipped languages are there. Then velmora-sim from the same folder
# serves a configuration that pymodbus reads, and libmodbus's licence note is
# there.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -B "$work/out" >/dev/null)
archive=$(ls "$work"/out/Velmora-*.tar.gz)
tar -xzf "$archive" -C "$work"
folder=$(find "$work" -maxdepth 1 -type d -name 'Velmora-*')
for f in Velmora velmora-cli velmora-sim Ethernet_Update LICENSES/libmodbus.txt \
         LANGUAGE/Italiano.lng LANGUAGE/Deutsch.lng "LANGUAGE/Français.lng" "LANGUAGE/Español.lng" LANGUAGE/DefaultFlag.bmp \
         LANGUAGE/English.bmp LANGUAGE/English.lng translations/qtbase_de.qm translations/qtbase_es.qm \
         translations/qtbase_fr.qm translations/qtbase_it.qm; do
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
grep -q "^License: LGPL-2.1+" "$folder/LICENSES/libmodbus.txt" \
    || { echo "LICENSES/libmodbus.txt lacks the licence of the system's libmodbus"; exit 1; }
mkdir "$folder/PROJECTS/Archive check"
/usr/bin/python3 "$(dirname "$0")/../support/sim_client.py" "$folder/velmora-sim" "$folder" "Archive check"
echo "archive $(basename "$archive") unpacks and starts"
