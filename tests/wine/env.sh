# Sourced before running anything under Wine: quiet, and no desktop entries or menus written into
# $HOME for shortcuts an installer makes; Mono and Gecko are never needed and never downloaded.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export WINEARCH=win64
# Wine turns Unix file names and arguments into Windows ones through the locale: Cyrillic needs UTF-8.
export LC_ALL=C.UTF-8
