#!/usr/bin/env bash
# Installs the Debian or Ubuntu packages the build and the tests need, where missing.
set -euo pipefail

packages=(cmake ninja-build g++ python3 qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
          iproute2 iputils-ping clang libclang-rt-dev valgrind xvfb xauth
          libmodbus-dev python3-pymodbus poppler-utils qt6-translations-l10n)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo=""
    [[ $(id -u) -ne 0 ]] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
