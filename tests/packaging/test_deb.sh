#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary root with dpkg -x, checks
# what it installs, and starts the installed program in Xvfb.
# Usage: test_deb.sh BUILD_DIR TST_EXECUTABLE
set -euo pipefail
build=$(realpath "$1")
tester=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/bindwright_*.deb)
dpkg -x "$deb" "$work/root"

fail() { echo "FAIL: $*"; exit 1; }
for f in usr/bin/bindwright usr/share/applications/bindwright.desktop \
         usr/share/icons/hicolor/16x16/apps/bindwright.png usr/share/icons/hicolor/32x32/apps/bindwright.png; do
    [ -f "$work/root/$f" ] || fail "the package does not install $f"
done
grep -qx 'Categories=Game;Utility;' "$work/root/usr/share/applications/bindwright.desktop" \
    || fail "the desktop entry lacks its categories"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6core6 libc6 qt6-qpa-plugins; do
    case "$depends" in *"$lib"*) ;; *) fail "Depends lacks $lib: $depends" ;; esac
done

BINDWRIGHT_INSTALLED="$work/root/usr/bin/bindwright" "$tester"
echo "the package installs and its program runs"
