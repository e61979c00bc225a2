#!/usr/bin/env bash
# The Windows program itself under Wine, in the tests' prefix and on its X server: its
# caption and client size, a Quake 3 "Add" typed and clicked as a player would (one click
# on a control under the chat preview), and settings.cfg beside the .exe once the window
# is closed.
#   test_exe.sh WINE64 PREFIX EXE
set -euo pipefail
wine64=$1 prefix=$2 exe=$3
export WINEPREFIX=$prefix WINEDEBUG=-all DISPLAY=":$(head -n1 "$prefix/display")"
# The X tools here need a locale this machine has; Wine only reads the name, and an
# English one gives it Windows-1252 as the ANSI code page.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
windows_locale=(env LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8)
fail() { echo "FAIL: $*"; exit 1; }

folder="$prefix/drive_c/Bindwright"
game="$prefix/drive_c/Games/Quake3/baseq3"
rm -rf "$folder" "$prefix/drive_c/Games"
mkdir -p "$folder" "$game"
cp "$exe" "$folder/bindwright.exe"

# -platform: the prefix's environment sends the other tests offscreen.
"${windows_locale[@]}" "$wine64" 'C:\Bindwright\bindwright.exe' -platform windows </dev/null >"$prefix/exe.log" 2>&1 &
program=$!
trap 'kill $program 2>/dev/null || true' EXIT

window=$(timeout 60 xdotool search --sync --name '^Quillfen Q3/RTCW Bindwright 1\.1$' | head -n1) \
    || fail "no window captioned \"Quillfen Q3/RTCW Bindwright 1.1\" within a minute"
size=$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$size" = 747x335 ] || fail "client size $size, not 747x335"

# Click at a control's centre (client pixels, from the layout) and type into it.
at() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.3; }
type_text() { xdotool type --delay 30 "$1"; sleep 0.2; }
at 232 41 && type_text 'C:\Games\Quake3\'   # Text1
at 24 64                                     # Option1, "Baseq3"
at 135 176                                   # Option4, "Public"
at 292 129 && type_text 'f1'                 # txtkey
at 220 153 && type_text 'é'                  # txtsay
at 28 212                                    # Command2, "Red": the preview shows under txtsay
at 88 176                                    # Option3, "Team Talk", under the preview
at 184 248                                   # Command1, "Add"

for _ in $(seq 50); do [ -s "$game/autoexec.cfg" ] && break; sleep 0.2; done
expected=$(printf 'bind f1 "say_team \xe9^1"\r\n' | od -An -tx1)
actual=$(od -An -tx1 "$game/autoexec.cfg" 2>/dev/null || echo missing)
[ "$actual" = "$expected" ] || fail "autoexec.cfg holds [$actual], not [$expected] (team chat, é as the one byte E9, CR LF)"

xdotool key --window "$window" alt+F4
for _ in $(seq 100); do kill -0 $program 2>/dev/null || break; sleep 0.2; done
kill -0 $program 2>/dev/null && fail "the program did not end when its window closed"
expected=$(printf 'C:\\Games\\Quake3\\\r\n\r\n11\r\n' | od -An -tx1)
actual=$(od -An -tx1 "$folder/settings.cfg" 2>/dev/null || echo missing)
[ "$actual" = "$expected" ] || fail "settings.cfg beside the .exe holds [$actual], not [$expected]"
echo "bindwright.exe: caption, 747x335, an Add in ANSI with CR LF, settings beside itself"
