#!/usr/bin/env sh
# run_all.sh STARTUP JAZZ WRITELINE BINDSWINDOW KEYBOARDWINDOW: every figure, measured in this run.
# Start-up is judged on a real X server (Xvfb), as a player starts the program; the
# offscreen figure, which has no display server to connect to, is printed beside it.
# Fails when any judged figure is over its target.
startup=$1; jazz=$2; writeline=$3; bindswindow=$4; keyboardwindow=$5
status=0

work=$(mktemp -d)
trap 'kill "${XVFB_PID:-}" 2>/dev/null; rm -rf "$work"' EXIT
. "$(dirname "$0")/../tools/xvfb.sh"
start_xvfb "$work" || exit 1
QT_QPA_PLATFORM=xcb "$startup" || status=1
QT_QPA_PLATFORM=offscreen "$startup" --reference || status=1

QT_QPA_PLATFORM=offscreen "$jazz" || status=1
QT_QPA_PLATFORM=offscreen "$writeline" || status=1
QT_QPA_PLATFORM=offscreen "$bindswindow" || status=1
QT_QPA_PLATFORM=offscreen "$keyboardwindow" || status=1
exit $status
