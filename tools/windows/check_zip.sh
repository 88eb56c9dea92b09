#!/usr/bin/env bash
# Makes the Windows ZIP, unpacks it into an empty folder and starts
# Velmora.exe from there under Wine on a virtual display, with nothing but
# the folder itself to load its libraries from: its main window must appear
# and MASTER, PROJECTS and LANGUAGE be made beside it. The program is then
# closed with its own Close button, which writes Velmora.xml. Last,
# velmora-cli.exe from the same folder imports a one-row table and builds
# that configuration's bank.bin, and velmora-sim.exe serves that
# configuration to pymodbus until Ctrl+C, with the folder's libmodbus-5.dll.
#   check_zip.sh BUILD_DIR [SCREENSHOT.png]   (the screenshot is of the main window)
set -euo pipefail
build=$(cd "$1" && pwd)
shot=${2:+$(realpath -m "$2")}
source "$(dirname "$0")/env.sh"
# The folder must run by itself: no Qt or MinGW folder on the search path,
# the real windows platform.
unset WINEPATH WINEQT_QPA_PLATFORM

work=$(mktemp -d)
display_pid=""
program_pid=""
finish() {
    [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null
    [[ -n $display_pid ]] && kill "$display_pid" 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT

(cd "$build" && cpack -B "$work/out" >/dev/null)
archive=$(ls "$work"/out/Velmora-*-win64.zip)
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$archive")
folder=$(find "$work/unpacked" -mindepth 1 -maxdepth 1 -type d -name 'Velmora-*')
for f in Velmora.exe velmora-cli.exe velmora-sim.exe libmodbus-5.dll LICENSES/libmodbus.txt \
         Ethernet_Update.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6Network.dll \
         Qt6Xml.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qico.dll \
         libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll LANGUAGE/Italiano.lng \
         "LANGUAGE/Français.lng" LANGUAGE/DefaultFlag.bmp; do
    [[ -e "$folder/$f" ]] || { echo "missing in the archive: $f"; exit 1; }
done
[[ -d "$folder/MASTER" ]] || { echo "no MASTER folder in the archive"; exit 1; }
rmdir "$folder/MASTER"

exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null)
display_pid=$!
read -r -t 30 number <&3 || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=:$number

(cd / && exec "$velmora_wine" "$folder/Velmora.exe") >"$work/program.log" 2>&1 &
program_pid=$!
window=""
for _ in $(seq 120); do
    window=$(xdotool search --onlyvisible --name 'Configurator QV40318' 2>/dev/null | head -1 || true)
    [[ -n $window ]] && break
    kill -0 "$program_pid" 2>/dev/null || { cat "$work/program.log"; echo "Velmora.exe ended"; exit 1; }
    sleep 0.5
done
[[ -n $window ]] || { cat "$work/program.log"; echo "no main window within 60 s"; exit 1; }
sleep 2
for d in MASTER PROJECTS LANGUAGE; do
    [[ -d "$folder/$d" ]] || { echo "no $d folder beside the unpacked program"; exit 1; }
done
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "main window $window: ${WIDTH}x${HEIGHT} at $X,$Y"
if [[ -n $shot ]]; then
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shot"
    echo "screenshot: $shot"
fi

# The Close button sits at the top right of the main window (632, 8, 50 x 50).
xdotool mousemove --window "$window" 657 33 click 1
for _ in $(seq 60); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.5
done
if kill -0 "$program_pid" 2>/dev/null; then
    echo "Velmora.exe did not close"
    exit 1
fi
program_pid=""
[[ -f "$folder/Velmora.xml" ]] || { echo "closing wrote no Velmora.xml"; exit 1; }

printf 'Name\r\nZip check\r\n' >"$work/table.csv"
(cd "$work" && "$velmora_wine" "$folder/velmora-cli.exe" import table.csv \
    && "$velmora_wine" "$folder/velmora-cli.exe" bank "Zip check") >"$work/cli.log" 2>&1 \
    || { cat "$work/cli.log"; echo "velmora-cli.exe failed"; exit 1; }
size=$(stat -c %s "$folder/PROJECTS/Zip check/bin/bank.bin" 2>/dev/null || echo none)
[[ $size == 2048 ]] || { cat "$work/cli.log"; echo "velmora-cli.exe made no 2048-byte bank.bin ($size)"; exit 1; }
grep -q "GNU LESSER GENERAL PUBLIC LICENSE" "$folder/LICENSES/libmodbus.txt" \
    || { echo "LICENSES/libmodbus.txt lacks libmodbus's licence text"; exit 1; }
(cd / && /usr/bin/python3 "$velmora_root/tests/support/sim_client.py" "$velmora_wine" "$folder/velmora-sim.exe" \
    "$folder" "Zip check")
echo "$(basename "$archive") unpacks, starts under Wine and closes; its velmora-cli.exe imports and builds" \
     "bank.bin, its velmora-sim.exe serves it"
