#!/bin/sh
# Runs one Windows test program under Wine on a virtual X display, in the prefix $WINEPREFIX made
# by prefix.sh, and passes only when the program says it ran: exit status 0 and a last line
# "krivoklyun checks: N passed, 0 failed" with N above 0. Wine reports status 0 for a 32-bit exe
# that never started, so the status alone proves nothing.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/env.sh"
if [ -z "${WINEPREFIX:-}" ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "run.sh: WINEPREFIX must name a prefix made by tests/wine/prefix.sh" >&2
    exit 2
fi
if [ "$KRIVOKLYUN_WINE32_RUNS" = no ] && file -b "$1" | grep -q '^PE32 '; then
    echo "run.sh: SKIPPED: $KRIVOKLYUN_WINE32_WHY, so Wine cannot run $1" >&2
    exit 77
fi
output=$(mktemp)
trap 'rm -f "$output"' EXIT
# Room for the window at 192 dpi (1166 × 730 pixels with its frame).
xvfb-run -a -s "-screen 0 1280x1024x24" "$KRIVOKLYUN_WINE" "$@" >"$output" 2>&1
status=$?
tr -d '\r' <"$output"
last=$(tr -d '\r' <"$output" | grep '^krivoklyun checks: ' | tail -1)
passed=$(printf '%s\n' "$last" | sed -n 's/^krivoklyun checks: \([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p')
set -- $passed
if [ "$status" -ne 0 ] || [ $# -ne 2 ] || [ "$1" -eq 0 ] || [ "$2" -ne 0 ]; then
    echo "run.sh: not a clean run (exit status $status, tally: ${last:-none})" >&2
    exit 1
fi
