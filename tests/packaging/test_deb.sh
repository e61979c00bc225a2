#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary root with dpkg -x, checks
# what it installs, and starts the installed program in Xvfb.
# Lintian and appstreamcli judge the package and its metainfo.
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
files="usr/bin/bindwright usr/share/applications/bindwright.desktop usr/share/man/man1/bindwright.1.gz
       usr/share/doc/bindwright/copyright usr/share/doc/bindwright/changelog.gz
       usr/share/metainfo/org.bindwright.Bindwright.metainfo.xml usr/share/icons/hicolor/scalable/apps/bindwright.svg"
for size in 16 22 24 32 48 64 128 256; do files="$files usr/share/icons/hicolor/${size}x${size}/apps/bindwright.png"; done
for f in $files; do
    [ -f "$work/root/$f" ] || fail "the package does not install $f"
done
grep -qx 'Categories=Game;ActionGame;' "$work/root/usr/share/applications/bindwright.desktop" \
    || fail "the desktop entry lacks its one main category"
readelf -d "$work/root/usr/bin/bindwright" | grep -q BIND_NOW || fail "the program is not linked with -z now"

# What Debian and the software centres check: any error or warning fails.
lint=$(lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v 'running with root privileges' || true)
[ -z "$lint" ] || fail "lintian: $lint"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.bindwright.Bindwright.metainfo.xml" \
    || fail "the AppStream metainfo does not validate"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6core6 libc6 qt6-qpa-plugins; do
    case "$depends" in *"$lib"*) ;; *) fail "Depends lacks $lib: $depends" ;; esac
done

BINDWRIGHT_INSTALLED="$work/root/usr/bin/bindwright" "$tester"
echo "the package installs and its program runs"
