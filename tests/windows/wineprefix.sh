#!/usr/bin/env bash
# The Wine prefix the Windows tests share, made afresh once per test run.
#   wineprefix.sh setup WINE64 PREFIX   a new prefix, its wineserver kept running, and an
#                                       X server for its windows (display in PREFIX/display)
#   wineprefix.sh stop WINE64 PREFIX    ends both
set -euo pipefail
action=$1 wine64=$2 prefix=$3
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
wineserver=$(dirname "$wine64")/wineserver
[ -x "$wineserver" ] || wineserver=wineserver

case $action in
setup)
    "$wineserver" -k 2>/dev/null || true
    [ -f "$prefix/xvfb.pid" ] && kill "$(cat "$prefix/xvfb.pid")" 2>/dev/null || true
    # A mount an interrupted run left inside the prefix would stop its removal.
    awk -v p="$prefix/" 'index($2, p) == 1 {print $2}' /proc/mounts | while read -r m; do umount -l "$(printf '%b' "$m")"; done
    rm -rf "$prefix"
    mkdir -p "$prefix"
    log="$prefix/setup.log"
    # Wine's desktop takes the display it starts with, so the X server comes first.
    . "$(dirname "$0")/../../tools/xvfb.sh"
    start_xvfb "$prefix" || exit 1
    echo "$XVFB_PID" >"$prefix/xvfb.pid"
    # Every non-ASCII character the tests type gets a key of its own before any Windows
    # program starts: xdotool would otherwise remap a spare key for a moment, and Wine
    # reads the keyboard map on its own schedule, so the character could be lost.
    spare=$(xmodmap -pke | awk 'NF == 3 && !found {print $2; found = 1}')
    [ -n "$spare" ] || { echo "no free key code on the X server for the typed characters" >&2; exit 1; }
    xmodmap -e "keycode $spare = eacute Eacute"
    # The server and the services it starts outlive this script: they must not hold on to
    # its output, or ctest waits for them.
    "$wineserver" -p </dev/null >>"$log" 2>&1 # stays up: each test then starts at once
    # wineboot complains of the 32-bit half Debian's wine64 alone lacks; the prefix is whole.
    "$wine64" wineboot -i </dev/null >>"$log" 2>&1 || true
    [ -d "$prefix/drive_c/windows/system32" ] || { cat "$log"; echo "wineboot made no prefix in $prefix" >&2; exit 1; }
    # Wine hands no QT_ variable of this machine to Windows programs, so the tests'
    # own go into the prefix's environment: windows offscreen, test output on stdout.
    "$wine64" reg add 'HKCU\Environment' /v QT_QPA_PLATFORM /d offscreen /f </dev/null >>"$log" 2>&1
    "$wine64" reg add 'HKCU\Environment' /v QT_FORCE_STDERR_LOGGING /d 1 /f </dev/null >>"$log" 2>&1
    echo "Wine prefix ready: $prefix"
    ;;
stop)
    "$wineserver" -k 2>/dev/null || true
    [ -f "$prefix/xvfb.pid" ] && kill "$(cat "$prefix/xvfb.pid")" 2>/dev/null || true
    ;;
*)
    echo "usage: wineprefix.sh setup|stop WINE64 PREFIX" >&2
    exit 2
    ;;
esac
