#!/usr/bin/env bash
# The Windows program itself under Wine, in the tests' prefix and on its X server: its
# caption and client size, a Quake 3 "Add" typed and clicked as a player would (one click
# on a control under the chat preview), and settings.cfg beside the .exe once the window
# is closed; then the .exe in a folder it may not write, as in C:\Program Files: the
# folders are kept per user without a word, and remembered at the next start.
#   test_exe.sh WINE64 PREFIX EXE CAPTION
set -euo pipefail
wine64=$1 prefix=$2 exe=$3 caption=$4
# xdotool matches names as regular expressions: the caption's own characters, anchored.
caption_pattern="^$(printf '%s' "$caption" | sed 's#[][\\.*^$+?(){}|]#\\&#g')\$"
export WINEPREFIX=$prefix WINEDEBUG=-all DISPLAY=":$(head -n1 "$prefix/display")"
# The X tools here need a locale this machine has; Wine only reads the name, and an
# English one gives it Windows-1252 as the ANSI code page.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
windows_locale=(env LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8)
fail() { echo "FAIL: $*"; exit 1; }

folder="$prefix/drive_c/Bindwright"
game="$prefix/drive_c/Games/Quake3/baseq3"
rm -rf "$folder" "$prefix/drive_c/Games"
# Folders remembered per user by an earlier run would come back into the root box.
find "$prefix/drive_c/users" -name settings.cfg -path '*bindwright*' -delete 2>/dev/null || true
mkdir -p "$folder" "$game"
cp "$exe" "$folder/bindwright.exe"

# -platform: the prefix's environment sends the other tests offscreen.
"${windows_locale[@]}" "$wine64" 'C:\Bindwright\bindwright.exe' -platform windows </dev/null >"$prefix/exe.log" 2>&1 &
program=$!
trap 'kill $program 2>/dev/null || true' EXIT

window=$(timeout 60 xdotool search --sync --name "$caption_pattern" | head -n1) \
    || fail "no window captioned \"$caption\" within a minute"
size=$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$size" = 747x363 ] || fail "client size $size, not 747x363"

# Click at a control's centre (client pixels, from the layout) and type into it.
# Wine shows nothing outside of when a click or the keys have reached the program's own
# controls: without these waits a fresh window can lose them (seen once in five runs).
at() { xdotool mousemove --sync --window "$window" "$1" "$2" click 1; sleep 0.3; }
type_text() { xdotool type --delay 30 "$1"; sleep 0.2; }
at 232 41 && type_text 'C:\Games\Quake3\'   # Text1
at 24 64                                     # Option1, "Baseq3"
at 135 176                                   # Option4, "Public"
at 292 129 && type_text 'f1'                 # txtkey
# The prefix's X server has a key for é (wineprefix.sh): typing it remaps nothing.
xmodmap -pke | grep -w eacute >/dev/null || fail "the X server has no key for é: typing it would remap a key under Wine"
at 220 153 && type_text 'é'                  # txtsay
at 28 212                                    # Command2, "Red": the preview shows under txtsay
at 88 176                                    # Option3, "Team Talk", under the preview
at 184 248                                   # Command1, "Add"
# Other players receive é as a dot: the program asks first, in a box of its own, which
# has the keyboard; Alt+Y is its Yes.
question=""
for _ in $(seq 50); do
    question=$(xdotool search --onlyvisible --name "$caption_pattern" | grep -vx "$window" | head -n1)
    [ -n "$question" ] && break
    sleep 0.2
done
[ -n "$question" ] || fail "no question before a chat others receive with a dot"
# Wine hands the box the keyboard after mapping it, inside its own windows, where X's
# focus does not show it: the one wait on the clock left here.
sleep 0.5
xdotool key alt+y 2>/dev/null

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

# A folder no user may write, as Windows sees one: on a read-only file system (root, who
# runs CI, ignores permission bits).
readonly_folder="$prefix/drive_c/Program Files/Bindwright"
mkdir -p "$readonly_folder"
if ! mount -t tmpfs -o size=64m tmpfs "$readonly_folder" 2>"$prefix/mount.log"; then
    [ -n "${CI:-}" ] && fail "could not mount a read-only folder for the program: $(cat "$prefix/mount.log")"
    echo "bindwright.exe: caption, 747x363, an Add in ANSI with CR LF, settings beside itself"
    echo "SKIPPED: the read-only program folder (mounting needs root): $(cat "$prefix/mount.log")"
    exit 0
fi
# Lazily: Wine's server may still hold the folder.
trap 'kill $program 2>/dev/null || true; umount -l "$readonly_folder" 2>/dev/null || true' EXIT
cp "$exe" "$readonly_folder/bindwright.exe"
mount -o remount,ro "$readonly_folder"
find "$prefix/drive_c/users" -name settings.cfg -path '*bindwright*' -delete 2>/dev/null || true
rm -f "$game/autoexec.cfg"

start_readonly_copy() {
    "${windows_locale[@]}" "$wine64" 'C:\Program Files\Bindwright\bindwright.exe' -platform windows \
        </dev/null >>"$prefix/exe.log" 2>&1 &
    program=$!
    window=$(timeout 60 xdotool search --sync --name "$caption_pattern" | head -n1) \
        || fail "the copy in C:\Program Files\Bindwright showed no window within a minute"
}
close_window() {
    xdotool key --window "$window" alt+F4
    for _ in $(seq 100); do kill -0 $program 2>/dev/null || break; sleep 0.2; done
    kill -0 $program 2>/dev/null && fail "$1"
    # The next start must not find this window still on the screen.
    for _ in $(seq 50); do xdotool search --name "$caption_pattern" >/dev/null 2>&1 || break; sleep 0.2; done
    return 0
}
start_readonly_copy
at 232 41 && type_text 'C:\Games\Quake3\'   # Text1
close_window "the copy in a read-only folder did not end when its window closed (a message at the save?)"
kept=$(find "$prefix/drive_c/users" -name settings.cfg -path '*bindwright*' | head -n1)
[ -n "$kept" ] || fail "no settings.cfg in the per-user folders once the program folder could not take it"

start_readonly_copy # the root folder comes back: an Add without typing it lands in the game
at 24 64                                     # Option1, "Baseq3"
at 292 129 && type_text 'f2'                 # txtkey
at 220 153 && type_text 'kill'               # txtsay, a console command of the player's own
at 184 248                                   # Command1, "Add"
for _ in $(seq 50); do [ -s "$game/autoexec.cfg" ] && break; sleep 0.2; done
[ "$(cat "$game/autoexec.cfg" 2>/dev/null)" = "$(printf 'bind f2 "kill"\r')" ] \
    || fail "the remembered root did not come back: autoexec.cfg holds [$(cat "$game/autoexec.cfg" 2>/dev/null)]"
close_window "the copy in a read-only folder did not end the second time"
echo "bindwright.exe: caption, 747x363, an Add in ANSI with CR LF, settings beside itself;"
echo "in a read-only folder, settings per user (${kept#"$prefix/"}) and remembered"
