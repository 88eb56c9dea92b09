#!/usr/bin/env bash
# Installs what the Windows cross-build and its checks need, where missing:
# Debian's MinGW-w64 compilers, Wine, Xvfb and the host's Qt, and Qt 6.4.2
# built for 64-bit Windows in a cache folder outside the tree
# (VELMORA_WIN_QT, by default ~/.cache/velmora/qt-6.4.2-mingw). An existing
# install is left as it is.
#
# The Windows Qt is unpacked from the ready build in the shared toolchains
# folder (VELMORA_TOOLCHAINS, by default ../shared/toolchains beside the
# project) when it is there, and otherwise built from Debian's source of the
# host's own Qt, which takes about 50 minutes on two cores. libmodbus for
# Windows goes into the MinGW sysroot (/usr/x86_64-w64-mingw32) the same way:
# from its ready build there, or else built from Debian's source of the
# host's libmodbus in about a minute.
#
#   tools/windows/qt.sh                    install where missing
#   tools/windows/qt.sh --from-source      build both from source even if the ready builds are there
#   tools/windows/qt.sh --configure-only   with --from-source: stop after Qt's configure step
#   tools/windows/qt.sh --available        exit 0 when the Windows Qt and libmodbus are installed
#                                          or their ready builds are there to unpack; installs nothing
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)

qt_version=6.4.2
prefix=${VELMORA_WIN_QT:-$HOME/.cache/velmora/qt-$qt_version-mingw}
toolchains=${VELMORA_TOOLCHAINS:-$root/../shared/toolchains}
archive=$toolchains/qt-$qt_version-mingw-w64-x86_64.tar.zst
archive_sha256=fba2a8ad051c8db2487c3d27b1bdd433c843980d81ad01dac992552f3e97ebdf
toolchain=$root/cmake/mingw-w64-x86_64.cmake
sysroot=/usr/x86_64-w64-mingw32
modbus_archive=$toolchains/libmodbus-3.1.6-mingw-w64-x86_64.tar.zst
modbus_archive_sha256=5f2e9d437f12b8ec83c0ff7cd6faf84893d547688fc6a4e532e5ef4cb08eca9d

from_source=0
configure_only=0
available=0
for arg in "$@"; do
    case $arg in
        --from-source) from_source=1 ;;
        --configure-only) configure_only=1 ;;
        --available) available=1 ;;
        *) echo "usage: $0 [--from-source [--configure-only] | --available]" >&2; exit 2 ;;
    esac
done
if ((configure_only && !from_source)); then
    echo "--configure-only goes with --from-source" >&2
    exit 2
fi

installed() {
    [[ -x $1/bin/qt-cmake && -f $1/lib/cmake/Qt6Widgets/Qt6WidgetsConfig.cmake ]]
}

modbus_installed() {
    [[ -f $sysroot/include/modbus/modbus.h && -f $sysroot/lib/libmodbus.dll.a \
       && -f $sysroot/bin/libmodbus-5.dll && -f $sysroot/share/doc/libmodbus/COPYING.LESSER ]]
}

if ((available)); then
    if ! installed "$prefix" && [[ ! -f $archive ]]; then
        echo "No Windows Qt in $prefix and no ready build at $archive"
        exit 1
    fi
    if ! modbus_installed && [[ ! -f $modbus_archive ]]; then
        echo "No Windows libmodbus in $sysroot and no ready build at $modbus_archive"
        exit 1
    fi
    exit 0
fi

sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"

apt_install() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if ((${#missing[@]})); then
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
    fi
}

"$root/tools/setup.sh"
apt_install mingw-w64 wine wine64 xvfb xauth zstd x11-utils xdotool imagemagick

# A deb-src line for the archive and suite the host's package came from, so
# its source is exactly the host's version: add_source_line PACKAGE FILE_NAME.
add_source_line() {
    local origin archive_uri suite_component suite component signed_by list
    origin=$(apt-cache policy "$1" | awk -v v="$(dpkg-query -W -f='${Version}' "$1")" '
        $1 == "***" && $2 == v { take = 1; next }
        take && $2 ~ /^[a-z]+:\/\// { print $2, $3; exit }')
    read -r archive_uri suite_component <<<"$origin"
    suite=${suite_component%%/*}
    component=${suite_component#*/}
    if [[ -z $archive_uri || -z $suite ]]; then
        echo "Cannot tell which archive the host's $1 came from" >&2
        return 1
    fi
    # The source line must name the same key as the binary one, or apt refuses both.
    signed_by=$(awk -v uri="${archive_uri%/}" '
        /^$/ { hit = 0 }
        /^URIs:/ { hit = 0; for (i = 2; i <= NF; i++) if ($i == uri || $i == uri "/") hit = 1 }
        hit && /^Signed-By:/ { print $2; exit }' /etc/apt/sources.list.d/*.sources 2>/dev/null || true)
    list=/etc/apt/sources.list.d/$2
    if [[ ! -f $list ]]; then
        {
            echo "Types: deb-src"
            echo "URIs: $archive_uri"
            echo "Suites: $suite"
            echo "Components: $component"
            [[ -n $signed_by ]] && echo "Signed-By: $signed_by"
        } | $sudo tee "$list" >/dev/null
        $sudo apt-get update -qq
    fi
}

# libmodbus for Windows, built as the ready build was: Debian's source of the
# host's version, autotools, the MinGW-w64 compilers; copied into the sysroot
# only once it is built whole, with its licence beside it.
build_modbus() {
    local work version
    apt_install dpkg-dev autoconf automake libtool libmodbus-dev
    add_source_line libmodbus-dev velmora-modbus-source.sources
    version=$(dpkg-query -W -f='${source:Version}' libmodbus-dev)
    work=$(mktemp -d)
    if ! (cd "$work" && apt-get source --download-only "libmodbus=$version" \
          && dpkg-source --no-check -x libmodbus_"${version#*:}".dsc source && cd source \
          && ./autogen.sh \
          && ./configure --host=x86_64-w64-mingw32 --prefix="$sysroot" --disable-static --enable-shared \
                 --without-documentation --disable-tests \
          && make && make install DESTDIR="$work/stage" \
          && mkdir -p "$work/stage$sysroot/share/doc/libmodbus" \
          && cp COPYING.LESSER AUTHORS "$work/stage$sysroot/share/doc/libmodbus/") >"$work/build.log" 2>&1; then
        tail -30 "$work/build.log"
        rm -rf "$work"
        return 1
    fi
    $sudo cp -a "$work/stage$sysroot/." "$sysroot/"
    rm -rf "$work"
}

if ((!configure_only)) && { ((from_source)) || ! modbus_installed; }; then
    if ((!from_source)) && [[ -f $modbus_archive ]]; then
        echo "Unpacking the Windows libmodbus from $modbus_archive into $sysroot"
        echo "$modbus_archive_sha256  $modbus_archive" | sha256sum --check --quiet
        $sudo tar -I zstd -xf "$modbus_archive" -C /
    else
        echo "Building the Windows libmodbus from Debian's source into $sysroot (about a minute)"
        build_modbus
    fi
    modbus_installed || { echo "libmodbus for Windows is not complete in $sysroot" >&2; exit 1; }
fi

if ((!from_source)) && installed "$prefix"; then
    exit 0
fi

# The folder appears under its final name only when it is complete, so a
# broken run never passes for an install.
mkdir -p "$(dirname "$prefix")"

if ((!from_source)) && [[ -f $archive ]]; then
    echo "Unpacking the Windows Qt from $archive"
    echo "$archive_sha256  $archive" | sha256sum --check --quiet
    staging=$(mktemp -d "$prefix.unpack.XXXXXX")
    trap 'rm -rf "$staging"' EXIT
    tar -I zstd -xf "$archive" -C "$staging"
    rm -rf "$prefix"
    mv "$staging/qt-mingw" "$prefix"
    echo "Windows Qt ready in $prefix"
    exit 0
fi

if ((!from_source)); then
    echo "No ready Windows Qt at $archive: building it from source (about 50 minutes)"
fi

# Qt's source of exactly the host's version, from the archive and suite the
# host's Qt came from, so the host tools (moc, rcc) match the target libraries.
host_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
if [[ $host_version != "$qt_version"+* ]]; then
    echo "The host's Qt is $host_version; the Windows build needs the host at $qt_version" >&2
    exit 1
fi
apt_install dpkg-dev fonts-dejavu-core
add_source_line qt6-base-dev velmora-qt-source.sources

work=${VELMORA_WIN_QT_WORK:-$prefix-work}
mkdir -p "$work"
cd "$work"
source_dir=$work/qtbase-everywhere-src-$qt_version
if [[ ! -x $source_dir/configure ]]; then
    apt-get source --download-only "qt6-base=$host_version"
    rm -rf "$source_dir"
    dpkg-source --no-check -x qt6-base_"${host_version#*:}".dsc "$source_dir"
fi

build_dir=$work/build
rm -rf "$build_dir"
mkdir -p "$build_dir"
cd "$build_dir"
staging=$prefix.build
"$source_dir/configure" -prefix "$staging" -xplatform win32-g++ -qt-host-path /usr \
    -release -shared -nomake examples -nomake tests \
    -no-opengl -no-dbus -no-icu -no-vulkan -no-direct2d \
    -no-feature-sql -no-feature-printsupport -no-feature-tabletevent \
    -qt-zlib -qt-pcre -qt-libpng -no-libjpeg -qt-freetype -qt-harfbuzz \
    -schannel -no-openssl \
    -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
if ((configure_only)); then
    echo "Qt's configure step finished in $build_dir; nothing built or installed"
    exit 0
fi
cmake --build . --parallel
rm -rf "$staging"
cmake --install .
# The offscreen platform draws text with fonts from lib/fonts.
mkdir -p "$staging/lib/fonts"
cp /usr/share/fonts/truetype/dejavu/*.ttf "$staging/lib/fonts/"
rm -rf "$prefix"
mv "$staging" "$prefix"
echo "Windows Qt built into $prefix"
