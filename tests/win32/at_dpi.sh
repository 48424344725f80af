#!/bin/sh
# Runs a Windows test under Wine with the prefix's screen density set to DPI, and sets it back to
# 96 afterwards, whatever the outcome:
#   sh at_dpi.sh DPI program.exe [arguments]
set -u
dpi=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../wine/env.sh"
set_dpi() {
    reg="$WINEPREFIX/dpi.reg"
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n\n[HKEY_CURRENT_CONFIG\\Software\\Fonts]\n"LogPixels"=dword:%08x\n' \
        "$1" "$1" >"$reg"
    wine regedit /S "$reg" >/dev/null 2>&1 || return
    # Wine 10 reads the density once per wineserver session: the next program sees the new one
    # only in a new session.
    wineserver -w
}
trap 'set_dpi 96' EXIT
set_dpi "$dpi" || { echo "at_dpi.sh: could not set the density to $dpi" >&2; exit 1; }
sh "$here/../wine/run.sh" "$@"
