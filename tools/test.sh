#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the whole
# suite in the normal build and again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then each fuzz target for a short time, then the
# program under Valgrind's memcheck from start to close. Then the whole suite
# again for Windows, cross-built and run under Wine, when the Windows Qt is
# cached or its ready build is in the shared toolchains folder.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
export QT_QPA_PLATFORM=offscreen

# Every build here fails on a compiler warning.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_WERROR=ON
cmake --build build
# The benchmark is no part of a plain build; built here so that it keeps
# building without a warning.
cmake --build build --target bench_all
(cd build && ctest --output-on-failure)

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_SANITIZE=ON \
    -DVELMORA_WERROR=ON
cmake --build build-asan
(cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure)

tools/fuzz.sh "${VELMORA_FUZZ_SECONDS:-15}"

tools/memcheck.sh

# Building the Windows Qt from source takes longer than a CI run may: without
# it, the Windows suite is left out and the run says so.
if reason=$(tools/windows/qt.sh --available); then
    tools/windows/test.sh
else
    echo "Windows suite skipped: $reason (tools/windows/qt.sh builds it from source)"
fi
