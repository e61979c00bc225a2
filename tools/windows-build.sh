#!/usr/bin/env bash
# Builds WIN_BUILD/bindwright.exe, and its tests for Wine, with MinGW-w64 and a static Qt
# for Windows, found in this order: $QT_WIN_PREFIX; the archive in ../shared/windows,
# unpacked into WIN_BUILD/qt; a per-user cache, which this script fills from Debian's
# source when it is empty (a long build).
#   windows-build.sh NATIVE_BUILD WIN_BUILD [--no-qt-build]
# With --no-qt-build (make test), a missing Qt is written to WIN_BUILD/UNAVAILABLE for the
# tests to report, and the script ends without error.
set -euo pipefail
native=$1 win=$2 mode=${3:-}
root=$(cd "$(dirname "$0")/.." && pwd)
archive="$root/../shared/windows/qt6.4.2-win64-mingw-static.tar.xz"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/bindwright/qt6.4.2-win64-mingw-static"
mkdir -p "$win"
rm -f "$win/UNAVAILABLE"

if [ -n "${QT_WIN_PREFIX:-}" ]; then
    qt=$QT_WIN_PREFIX
elif [ -f "$archive" ]; then
    qt="$win/qt/qt6.4.2-win64-mingw-static"
    if [ ! -x "$qt/bin/qt-cmake" ]; then
        echo "Unpacking Qt for Windows from $archive"
        mkdir -p "$win/qt"
        tar -xJf "$archive" -C "$win/qt"
    fi
elif [ -x "$cache/bin/qt-cmake" ]; then
    qt=$cache
elif [ "$mode" = --no-qt-build ]; then
    echo "Qt for Windows is not at hand: no QT_WIN_PREFIX, no $archive, nothing in $cache (make windows builds it there)" \
        | tee "$win/UNAVAILABLE"
    rm -f "$win/CTestTestfile.cmake"
    exit 0
else
    echo "Building Qt for Windows from Debian's qt6-base source into $cache."
    echo "This takes a while: about 3,000 CPU-seconds, and 1.5 GB of disk on the way."
    "$root/tools/build-qt-win64.sh" "$cache"
    qt=$cache
fi

# The .exe's icon is drawn by the program's own icon code, which runs here, not in the cross build.
cmake --build "$native" --target bindwright_writeicons
"$native/app/bindwright_writeicons" --ico "$win/bindwright.ico"

"$qt/bin/qt-cmake" -S "$root" -B "$win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DBINDWRIGHT_WINDOWS_ICON="$(realpath "$win/bindwright.ico")" -DBINDWRIGHT_WERROR="${BINDWRIGHT_WERROR:-OFF}"
cmake --build "$win"
