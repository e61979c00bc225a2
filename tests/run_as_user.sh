#!/usr/bin/env bash
# run_as_user.sh TEST [ARGS...]: runs a test binary as an ordinary user, who meets the
# failures root never does (a folder it may not enter, a read-only file). As root, a copy
# of the binary runs as nobody, in a folder of its own; as anyone else, the binary itself.
set -euo pipefail
test=$1
shift
if [ "$(id -u)" != 0 ]; then
    exec "$test" "$@"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$test" "$work/"
mkdir "$work/home"
chown nobody "$work/home"
chmod 755 "$work"
cd "$work"
runuser -u nobody -- env HOME="$work/home" TMPDIR="$work/home" XDG_RUNTIME_DIR="$work/home" \
    "./$(basename "$test")" "$@"
