#!/usr/bin/env bash
# Stands for the Windows tests when there is no Windows build: says why, and counts as
# skipped (77), except in CI, where they must run.
#   skipped.sh WINDOWS_BUILD_DIR
reason=$(cat "$1/UNAVAILABLE" 2>/dev/null || echo "no Windows build in $1 (make windows, or make test, makes one)")
echo "The Windows tests under Wine did not run: $reason"
[ -n "${CI:-}" ] && exit 1
exit 77
