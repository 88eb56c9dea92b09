#!/usr/bin/env bash
# Installs what is missing, builds the programs of the program folder (not the
# tests: tools/test.sh builds those) and starts the configurator from it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target velmora_programs
exec build/Velmora/Velmora
