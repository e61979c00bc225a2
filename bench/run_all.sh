#!/usr/bin/env sh
# Runs every benchmark given, offscreen, and fails when any figure is over its target.
export QT_QPA_PLATFORM=offscreen
status=0
for bench in "$@"; do
    "$bench" || status=1
done
exit $status
