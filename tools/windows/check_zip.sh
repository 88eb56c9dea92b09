#!/usr/bin/env bash
# Makes the Windows ZIP, unpacks it into an empty folder and starts
# Velmora.exe from there under Wine on a virtual display, with nothing but
# the folder itself to load its libraries from: its main window must appear
# and MASTER, PROJECTS and LANGUAGE be made beside it. Its Step 4 opens
# Check Device for the configuration it starts with, where Enter starts the
# check while velmora-sim.exe serves it (the check written to its Check.log),
# and Escape closes it (the window's size follows its language and screen,
# so its buttons have no fixed place). The program is then closed with its own Close
# button, which writes Velmora.xml. Last,
# velmora-cli.exe from the same folder imports a one-row table, builds
# that configuration's bank.bin and writes the plant's report as a PDF that
# reads back with its title and the configuration, and velmora-sim.exe serves that
# configuration to pymodbus until Ctrl+C, with the folder's libmodbus-5.dll.
#   check_zip.sh BUILD_DIR [SCREENSHOT.png [DIALOG.png]]   (the main window, Check Device)
set -euo pipefail
build=$(cd "$1" && pwd)
shot=${2:+$(realpath -m "$2")}
dialog_shot=${3:+$(realpath -m "$3")}
source "$(dirname "$0")/env.sh"
# The folder must run by itself: no Qt or MinGW folder on the search path,
# the real windows platform.
unset WINEPATH WINEQT_QPA_PLATFORM

work=$(mktemp -d)
display_pid=""
program_pid=""
sim_pid=""
finish() {
    [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null
    [[ -n $sim_pid ]] && kill "$sim_pid" 2>/dev/null
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
         "LANGUAGE/Français.lng" LANGUAGE/DefaultFlag.bmp translations/qtbase_de.qm \
         translations/qtbase_es.qm translations/qtbase_fr.qm translations/qtbase_it.qm; do
    [[ -e "$folder/$f" ]] || { echo "missing in the archive: $f"; exit 1; }
done
[[ -d "$folder/MASTER" ]] || { echo "no MASTER folder in the archive"; exit 1; }
rmdir "$folder/MASTER"
# The configuration the program starts with, served by velmora-sim.exe on
# this computer's loopback.
port=$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
mkdir -p "$folder/PROJECTS/Wine check/bin"
printf '<Par_Gen><ModbusTCPSlave_IP1>127</ModbusTCPSlave_IP1><ModbusTCPSlave_IP2>0</ModbusTCPSlave_IP2><ModbusTCPSlave_IP3>0</ModbusTCPSlave_IP3><ModbusTCPSlave_IP4>1</ModbusTCPSlave_IP4><ModbusTCPSlave_Port>%s</ModbusTCPSlave_Port></Par_Gen>' \
    "$port" >"$folder/PROJECTS/Wine check/ParGen.xml"
printf '<Conf_Settings><lastproj><projectname>Wine check</projectname></lastproj></Conf_Settings>' >"$folder/Velmora.xml"

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

# Step 4's button (80, 244, 170 x 36) opens Check Device, whose Enter checks
# velmora-sim.exe and whose Escape closes it.
(cd / && exec "$velmora_wine" "$folder/velmora-sim.exe" --folder "$folder" "Wine check") >"$work/sim.log" 2>&1 &
sim_pid=$!
for _ in $(seq 60); do
    grep -q serving "$work/sim.log" && break
    sleep 0.5
done
grep -q serving "$work/sim.log" || { cat "$work/sim.log"; echo "velmora-sim.exe does not serve"; exit 1; }
xdotool mousemove --window "$window" 165 262 click 1
dialog=""
for _ in $(seq 40); do
    dialog=$(xdotool search --onlyvisible --name 'Check Device on Modbus TCP' 2>/dev/null | head -1 || true)
    [[ -n $dialog ]] && break
    sleep 0.5
done
[[ -n $dialog ]] || { cat "$work/program.log"; echo "Step 4 opened no Check Device window"; exit 1; }
sleep 1
xdotool windowactivate --sync "$dialog" 2>/dev/null || true
xdotool key --window "$dialog" Return
log="$folder/PROJECTS/Wine check/Check.log"
for _ in $(seq 60); do
    grep -q '^Verdict: ' "$log" 2>/dev/null && break
    sleep 0.5
done
grep -q '^Verdict: answers with the configured map' "$log" 2>/dev/null \
    || { cat "$log" "$work/sim.log" 2>/dev/null; echo "Check Device's check of velmora-sim.exe wrote no passing verdict"; exit 1; }
sleep 1
if [[ -n $dialog_shot ]]; then
    eval "$(xdotool getwindowgeometry --shell "$dialog")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$dialog_shot"
    echo "screenshot: $dialog_shot"
fi
xdotool key --window "$dialog" Escape
for _ in $(seq 20); do
    xdotool search --onlyvisible --name 'Check Device on Modbus TCP' >/dev/null 2>&1 || break
    sleep 0.5
done
xdotool search --onlyvisible --name 'Check Device on Modbus TCP' >/dev/null 2>&1 \
    && { echo "Check Device's Escape did not close it"; exit 1; }
kill "$sim_pid" 2>/dev/null
wait "$sim_pid" 2>/dev/null || true  # ended by the signal
sim_pid=""

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
# The commissioning report as PDF from the console program, without a window
# of its own, read back here by poppler's pdftotext.
(cd "$work" && "$velmora_wine" "$folder/velmora-cli.exe" report --all --pdf report.pdf) >"$work/report.log" 2>&1 \
    || { cat "$work/report.log"; echo "velmora-cli.exe report failed"; exit 1; }
pdftotext -layout "$work/report.pdf" - | grep -q "Zip check" \
    && pdftotext "$work/report.pdf" - | grep -q "Commissioning Report" \
    || { cat "$work/report.log"; echo "velmora-cli.exe's report reads back without its title or configuration"; exit 1; }
grep -q "GNU LESSER GENERAL PUBLIC LICENSE" "$folder/LICENSES/libmodbus.txt" \
    || { echo "LICENSES/libmodbus.txt lacks libmodbus's licence text"; exit 1; }
(cd / && /usr/bin/python3 "$velmora_root/tests/support/sim_client.py" "$velmora_wine" "$folder/velmora-sim.exe" \
    "$folder" "Zip check")
echo "$(basename "$archive") unpacks, starts under Wine, checks velmora-sim.exe from Check Device and closes;" \
     "its velmora-cli.exe imports, builds bank.bin and writes the report as PDF, its velmora-sim.exe serves it"
