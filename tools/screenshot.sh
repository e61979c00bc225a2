#!/usr/bin/env bash
# Takes screenshots of the main window in a virtual X server, of the chat preview after
# a colour button, of the list of binds of a sample autoexec.cfg and of the picture of
# its keys:
#   screenshot.sh BINARY CAPTION OUT.png [PREVIEW.png [BINDS.png [KEYS.png]]]
set -euo pipefail
binary=$(realpath "$1")
title=$2
out=$3
preview=${4:-}
binds=${5:-}
keys=${6:-}
work=$(mktemp -d)
trap 'kill "${app:-}" "${XVFB_PID:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

. "$(dirname "$0")/xvfb.sh"
start_xvfb "$work" 1024x600x24 || exit 1

cp "$binary" "$work/bindwright"
HOME=$work QT_QPA_PLATFORM=xcb "$work/bindwright" &
app=$!
for _ in $(seq 100); do xwininfo -name "$title" >/dev/null 2>&1 && break; sleep 0.1; done
sleep 1
id=$(xwininfo -name "$title" 2>/dev/null | awk '/Window id:/ {print $4}')
[ -n "$id" ] || { echo "screenshot.sh: the program showed no window captioned \"$title\"" >&2; exit 1; }
xwd -silent -id "$id" | /usr/bin/convert xwd:- "$out"
echo "wrote $out"

if [ -n "$preview" ]; then
    # Public chat, a decorated text, then "Red": the preview shows by the box.
    xdotool mousemove --window "$id" 136 176 click 1   # Option4, "Public"
    xdotool mousemove --window "$id" 220 153 click 1   # txtsay
    xdotool type --delay 10 '^3Good ^2game ^5all'
    xdotool mousemove --window "$id" 28 212 click 1    # Command2, "Red"
    xdotool type --delay 10 ' :)'
    xdotool mousemove --window "$id" 28 212 click 1
    sleep 1
    # The tooltip is a window of its own (32 bits deep, which a capture of the root
    # shows black): it is captured alone and laid over the window's capture.
    tip=$(xwininfo -root -children | awk '/"bindwright"/ && $1 != "'"$id"'" {print $1}' | while read -r w; do
        xwininfo -id "$w" | grep -q 'Map State: IsViewable' && echo "$w"; done | head -n1 || true)
    [ -n "$tip" ] || { echo "screenshot.sh: no chat preview showed after the click" >&2; exit 1; }
    read -r wx wy < <(xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}')
    read -r tx ty < <(xwininfo -id "$tip" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}')
    xwd -silent -id "$id" | /usr/bin/convert xwd:- "$work/window.png"
    xwd -silent -id "$tip" | /usr/bin/convert xwd:- "$work/tip.png"
    /usr/bin/convert "$work/window.png" "$work/tip.png" -geometry "+$((tx - wx))+$((ty - wy))" -composite \
        -crop "420x150+0+110" +repage "$preview"
    echo "wrote $preview"
fi

if [ -n "$binds" ]; then
    game="$work/q3"
    mkdir -p "$game/baseq3" "$game/osp"
    printf 'unbindall\r\nbind SPACE "+moveup"\r\nbind MOUSE1 "+attack"\r\n' >"$game/baseq3/q3config.cfg"
    printf '// my binds\r\nbind f1 "say_team ^1Incoming!"\r\nbind f2 "vsay_team Medic"\r\nbind f1 "say ^3gg ^7wp"\r\nseta cg_fov 110\r\n' \
        >"$game/osp/autoexec.cfg"
    xdotool mousemove --window "$id" 232 41 click 1    # Text1
    xdotool type --delay 10 "$game/"
    xdotool mousemove --window "$id" 36 321 click 1    # Quake 3 "Binds..."
    sleep 1
    list=$(xwininfo -root -children | awk '/"Binds in / {print $1}' | head -n1)
    [ -n "$list" ] || { echo "screenshot.sh: no list of binds showed" >&2; exit 1; }
    xwd -silent -id "$list" | /usr/bin/convert xwd:- "$binds"
    echo "wrote $binds"
fi

if [ -n "$binds" ] && [ -n "$keys" ]; then
    # Without a window manager the list stands over the main window: out of the way first.
    xdotool windowunmap --sync "$list"
    xdotool mousemove --window "$id" 331 346 click 1   # Quake 3 "Keys..."
    picture=""
    for _ in $(seq 100); do
        picture=$(xwininfo -root -children | awk '/"Quake 3 keys"/ {print $1}' | head -n1)
        [ -n "$picture" ] && break
        sleep 0.1
    done
    sleep 1 # drawn
    [ -n "$picture" ] || { echo "screenshot.sh: no picture of the keys showed" >&2; exit 1; }
    xwd -silent -id "$picture" | /usr/bin/convert xwd:- "$keys"
    echo "wrote $keys"
fi
