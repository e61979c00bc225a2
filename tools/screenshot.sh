#!/usr/bin/env bash
# Takes a screenshot of the main window in a virtual X server: screenshot.sh BINARY OUT.png
set -euo pipefail
binary=$(realpath "$1")
out=$2
work=$(mktemp -d)
trap 'kill "${app:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x600x24 -nolisten tcp &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

cp "$binary" "$work/bindwright"
HOME=$work QT_QPA_PLATFORM=xcb "$work/bindwright" &
app=$!
title="Quillfen Q3/RTCW Bindwright 1.1"
for _ in $(seq 100); do xwininfo -name "$title" >/dev/null 2>&1 && break; sleep 0.1; done
sleep 1
id=$(xwininfo -name "$title" | awk '/Window id:/ {print $4}')
xwd -silent -id "$id" | /usr/bin/convert xwd:- "$out"
echo "wrote $out"
