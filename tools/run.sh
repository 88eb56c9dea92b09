#!/usr/bin/env bash
# Installs what is missing, builds the configurator and starts it from its program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
exec build/Velmora/Velmora
