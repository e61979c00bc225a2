#!/usr/bin/env bash
# The main window's captions and labels measured with the fonts Wine really draws with
# (Windows' own platform, not the offscreen one) at a screen's dots per inch:
#   test_fonts.sh WINE64 PREFIX TST_FORM1_EXE DPI
set -euo pipefail
wine64=$1 prefix=$2 exe=$3 dpi=$4
export WINEPREFIX=$prefix WINEDEBUG=-all DISPLAY=":$(head -n1 "$prefix/display")"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
windows_locale=(env LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8)
fail() { echo "FAIL: $*"; exit 1; }

# Wine takes the screen's resolution from the registry as each program starts.
set_dpi() { "$wine64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1; }
trap 'set_dpi 96' EXIT
set_dpi "$dpi" || fail "could not set Wine's resolution to $dpi dots per inch"

status=0
out=$("${windows_locale[@]}" timeout 120 "$wine64" "$exe" -platform windows \
    captions_fitTheirBoxes captions_fitWhateverFontATheme_offers </dev/null 2>&1) || status=$?
echo "$out"
[ "$status" = 0 ] || fail "the captions do not fit at $dpi dots per inch"
# A run at another resolution than asked for proves nothing.
[[ $out == *"captions measured at $dpi dots per inch"* ]] || fail "the window was not laid out at $dpi dots per inch"
[[ $out != *"SKIP"* ]] || fail "a captions test skipped under Wine's own platform"
echo "captions and labels fit, each label on one line, at $dpi dots per inch"
