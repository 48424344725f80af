# Sourced before running anything under Wine: quiet, and no desktop entries or menus written into
# $HOME for shortcuts an installer makes; Mono and Gecko are never needed and never downloaded.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export WINEARCH=win64
# Wine turns Unix file names and arguments into Windows ones through the locale: Cyrillic needs UTF-8.
export LC_ALL=C.UTF-8

# Debian's `wine` picks the 32-bit loader whenever wine32 is installed. A kernel that cannot run
# 32-bit programs (IA-32 emulation off, as on some virtual machines) refuses it, and then every
# program fails, 64-bit ones too; and wine32 may be missing, when the mirror could not serve it.
# Either way the 64-bit loader runs the 64-bit programs; 32-bit ones cannot run at all, which the
# tests report as a skip, giving $KRIVOKLYUN_WINE32_WHY. $KRIVOKLYUN_WINE is the loader to start,
# for commands such as xvfb-run that start it themselves and so do not see the function.
KRIVOKLYUN_WINE32_RUNS=yes
KRIVOKLYUN_WINE=wine
if [ -x /usr/lib/wine/wine64 ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    KRIVOKLYUN_WINE32_RUNS=no
    KRIVOKLYUN_WINE32_WHY="this kernel cannot run 32-bit programs (no IA-32 emulation)"
    [ -e /usr/lib/wine/wine ] || KRIVOKLYUN_WINE32_WHY="32-bit Wine (wine32:i386) is not installed"
    KRIVOKLYUN_WINE=/usr/lib/wine/wine64
    export WINELOADER=$KRIVOKLYUN_WINE
    wine() { "$KRIVOKLYUN_WINE" "$@"; }
fi
