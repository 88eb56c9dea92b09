# Sourced by the Windows scripts: where the Windows Qt, the build and the Wine
# prefix are, and how Wine finds the libraries of the Windows programs.
velmora_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export VELMORA_WIN_QT=${VELMORA_WIN_QT:-$HOME/.cache/velmora/qt-6.4.2-mingw}
velmora_win_build=${VELMORA_WIN_BUILD:-$velmora_root/build-win}
# Debian keeps the 64-bit Wine loader off PATH.
velmora_wine=/usr/lib/wine/wine64
velmora_wineserver=/usr/lib/wine/wineserver

export WINEPREFIX=${WINEPREFIX:-$velmora_win_build/wine-prefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers: they would wait for an answer on a screen.
export WINEDLLOVERRIDES="mscoree,mshtml="

velmora_windows_path() {
    local path=$1
    echo "Z:${path//\//\\}"
}
# The Qt libraries, the MinGW runtime (libstdc++, libgcc_s, winpthread) and
# libmodbus, which tools/windows/qt.sh puts in the MinGW sysroot.
velmora_mingw_dll() {
    dirname "$(readlink -f "$(x86_64-w64-mingw32-g++-posix -print-file-name="$1")")"
}
export WINEPATH="$(velmora_windows_path "$VELMORA_WIN_QT/bin");$(velmora_windows_path "$(velmora_mingw_dll libstdc++-6.dll)");$(velmora_windows_path "$(velmora_mingw_dll libwinpthread-1.dll)");$(velmora_windows_path /usr/x86_64-w64-mingw32/bin)"
# Wine hands a Windows program no QT_* variable of the Linux side but passes
# WINEQT_X on as QT_X. Qt's messages and Qt Test's results go to standard
# error and output rather than to the debugger channel.
export WINEQT_QPA_PLATFORM=offscreen
export WINEQT_FORCE_STDERR_LOGGING=1
