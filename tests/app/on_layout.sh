#!/usr/bin/env bash
# on_layout.sh LAYOUT PROGRAM...: runs the program on an X server of its own whose keyboard
# has the layout (setxkbmap, a pc105 keyboard), with BINDWRIGHT_LAYOUT saying which.
set -euo pipefail
layout=$1
shift
dir=$(mktemp -d)
# shellcheck source=../../tools/xvfb.sh
. "$(dirname "$0")/../../tools/xvfb.sh"
start_xvfb "$dir"
trap 'kill "$XVFB_PID" 2>/dev/null || true; rm -rf "$dir"' EXIT
setxkbmap -model pc105 -layout "$layout"
[ "$(setxkbmap -query | awk '/^layout:/ {print $2}')" = "$layout" ] || { echo "setxkbmap did not set $layout"; exit 1; }
BINDWRIGHT_LAYOUT=$layout "$@"
