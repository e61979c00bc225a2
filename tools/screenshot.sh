#!/usr/bin/env bash
# Takes a screenshot of the main window in a virtual X server: screenshot.sh BINARY OUT.png
set -euo pipefail
binary=$(realpath "$1")
out=$2
work=$(mktemp -d)
trap 'kill "${app:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

# Xvfb picks a free display itself and says which; no answer in 10 s is a failure.
Xvfb -displayfd 3 -screen 0 1024x600x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
if [ ! -s "$work/display" ]; then
    echo "screenshot.sh: Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"

cp "$binary" "$work/bindwright"
HOME=$work QT_QPA_PLATFORM=xcb "$work/bindwright" &
app=$!
title="Quillfen Q3/RTCW Bindwright 1.1"
for _ in $(seq 100); do xwininfo -name "$title" >/dev/null 2>&1 && break; sleep 0.1; done
sleep 1
id=$(xwininfo -name "$title" 2>/dev/null | awk '/Window id:/ {print $4}')
[ -n "$id" ] || { echo "screenshot.sh: the program showed no window captioned \"$title\"" >&2; exit 1; }
xwd -silent -id "$id" | /usr/bin/convert xwd:- "$out"
echo "wrote $out"
