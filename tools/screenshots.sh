#!/usr/bin/env bash
# Builds the configurator and takes the README's screenshots under Xvfb into docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target all velmora_screenshots
xvfb-run -a -s "-screen 0 1280x1024x24" build/velmora_screenshots build/Velmora docs
# The first page of Plant Overview's report, small.
pdftoppm -png -r 60 -f 1 -l 1 -singlefile docs/plant_report.pdf docs/plant_report
rm docs/plant_report.pdf
