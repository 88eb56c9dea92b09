#!/usr/bin/env bash
# Cross-builds the configurator for 64-bit Windows with MinGW-w64 into
# build-win/ (VELMORA_WIN_BUILD), installing what is missing first
# (tools/windows/qt.sh). With --zip it also makes the portable program folder's
# archive, build-win/Velmora-<version>-win64.zip. A compiler warning fails the
# build.
set -euo pipefail
cd "$(dirname "$0")/../.."
tools/windows/qt.sh
source tools/windows/env.sh
"$VELMORA_WIN_QT/bin/qt-cmake" -S . -B "$velmora_win_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVELMORA_WERROR=ON \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$velmora_root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$velmora_wine" >/dev/null
cmake --build "$velmora_win_build"
if [[ ${1:-} == --zip ]]; then
    (cd "$velmora_win_build" && cpack >/dev/null)
    ls "$velmora_win_build"/Velmora-*-win64.zip
fi
