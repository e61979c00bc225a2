#!/usr/bin/env bash
# wine_as_user.sh WINE64 TEST.exe [ARGS...]: runs cases of a Windows test under Wine as an
# ordinary user, who meets the read-only files that Wine run by root writes all the same.
# As root, a copy runs as nobody, in a Wine prefix of its own; as anyone else, the test
# itself in the prefix the environment names.
set -euo pipefail
wine64=$1 test=$2
shift 2
if [ "$(id -u)" != 0 ]; then
    exec "$wine64" "$test" "$@"
fi
wineserver=$(dirname "$wine64")/wineserver
[ -x "$wineserver" ] || wineserver=wineserver
work=$(mktemp -d)
as_nobody() {
    runuser -u nobody -- env HOME="$work/home" WINEPREFIX="$work/home/prefix" WINEDEBUG=-all \
        WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY= "$@"
}
trap 'as_nobody "$wineserver" -k 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$test" "$work/"
mkdir "$work/home"
chown nobody "$work/home"
chmod 755 "$work"
cd "$work"
# Wine gives a program run this way no console: the results go through a file.
out="Z:${work//\//\\}\\home\\results.txt"
status=0
as_nobody "$wine64" "./$(basename "$test")" "$@" -o "$out,txt" || status=$?
if [ ! -s "$work/home/results.txt" ]; then
    echo "the test left no results: Wine did not run it as nobody (exit $status)" >&2
    exit 1
fi
cat "$work/home/results.txt"
exit "$status"
