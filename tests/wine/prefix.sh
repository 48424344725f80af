#!/bin/sh
# Makes a fresh Wine prefix in which our Windows programs and tests behave as on a school PC and
# never hang a headless run:
#   sh tests/wine/prefix.sh DIR
# Then run programs with WINEPREFIX=DIR and the environment of tests/wine/env.sh.
# A prefix made before 32-bit Wine was installed breaks every exe in it, so an old one is never
# reused: DIR is removed first.
set -eu
prefix=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/env.sh"
export WINEPREFIX="$prefix"
# A server left from the last run can still be saving its registry into the folder being removed.
[ -d "$prefix" ] && { wineserver -k 2>/dev/null || true; }
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"

wine wineboot --init >/dev/null 2>&1

# Wine 8 from Debian does not find its own UI fonts unless they are in the prefix.
fonts="$prefix/drive_c/windows/Fonts"
mkdir -p "$fonts"
for font in /usr/share/wine/fonts/*; do
    [ -e "$font" ] && ln -sf "$font" "$fonts/"
done

# Without a window manager (Xvfb) Wine waits for each window to withdraw at exit and draws no
# title bar unless it manages windows itself; a crash must end the run, not wait on a dialog; and
# "Times New Roman" must be the metric-compatible Liberation Serif whatever fontconfig prefers.
reg="$prefix/krivoklyun.reg"
cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Times New Roman"="Liberation Serif"
REG
wine regedit /S "$reg" >/dev/null 2>&1
wineserver -w
