# Sourced before running anything under Wine: quiet, and no desktop entries or menus written into
# $HOME for shortcuts an installer makes; Mono and Gecko are never needed and never downloaded.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export WINEARCH=win64
