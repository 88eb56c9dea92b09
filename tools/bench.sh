#!/usr/bin/env bash
# Builds the configurator and its benchmark (optimised, with debug info) and
# prints every figure in one run: minimum and median of several runs each.
# Names given (image, echo, version, startup, cli, sim, modbus, record, plant) run only those figures. The echo
# figures need the right to send ICMP (root, or the ping group range).
# VELMORA_BENCH_PROGRAM_FOLDER=DIR times the start of another build's program
# folder (an earlier version) against the same minimal dialog.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${VELMORA_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target bench_all
exec "$build/bench/bench_all" "$@"
