#!/bin/sh
# Takes docs/screenshot.png, docs/screenshot-windows.png, docs/screenshot-web.png,
# docs/screenshot-phone.png and docs/screenshot-webkit.png: the real program on a virtual X display,
# the Windows program under Wine, and the page in Chromium, on a phone in Chromium and in WebKit,
# each after a pick of the same bird.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
ensure_packages $RUN_PACKAGES xvfb xauth xdotool

cmake --preset default >/dev/null
cmake --build --preset default --target krivoklyun
# No window manager runs on the virtual display, so the window sits at its top-left corner.
xvfb-run -a -s "-screen 0 800x600x24" sh -c '
    build/default/krivoklyun & program=$!
    sleep 2
    xdotool mousemove 300 138 click 1   # "Горска ушата сова (Asio otus)"
    sleep 0.5
    import -window root -crop 580x345+0+0 +repage docs/screenshot.png
    kill $program'
echo "wrote docs/screenshot.png"

# The 64-bit Windows build: it runs wherever Wine does, also where 32-bit programs cannot.
ensure_packages $WINDOWS_PACKAGES
cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64 --target krivoklyun
prefix=$PWD/build/windows-x64/screenshot-prefix
sh tests/wine/prefix.sh "$prefix"
. tests/wine/env.sh
# Wine draws the frame itself on the bare display: the window with its caption and icon is
# 586 x 370 pixels at the top-left corner.
WINEPREFIX=$prefix xvfb-run -a -s "-screen 0 800x600x24" sh -c '
    "$1" build/windows-x64/window/win32/krivoklyun.exe & program=$!
    tries=0   # the first start in a new prefix takes seconds
    until xdotool search --classname krivoklyun.exe >/dev/null 2>&1; do
        tries=$((tries + 1)); [ $tries -le 60 ] || exit 1; sleep 0.5
    done
    sleep 1
    xdotool mousemove 300 161 click 1   # "Горска ушата сова (Asio otus)"
    sleep 1
    import -window root -crop 586x370+0+0 +repage docs/screenshot-windows.png
    kill $program' sh "$KRIVOKLYUN_WINE"
WINEPREFIX=$prefix wineserver -w
rm -rf "$prefix"
echo "wrote docs/screenshot-windows.png"

# The browser's page in Chromium, the window filling the page's view.
ensure_packages $WEB_PACKAGES chromium
ensure_npm
cmake --preset web >/dev/null
cmake --build --preset web --target site
npm ci --prefix build/web/tests/web/npm --no-audit --no-fund --loglevel=error >/dev/null
node tests/web/screenshot.js chromium build/web/site build/web/tests/web/npm/node_modules \
    docs/screenshot-web.png
node tests/web/screenshot.js phone build/web/site build/web/tests/web/npm/node_modules \
    docs/screenshot-phone.png
echo "wrote docs/screenshot-web.png and docs/screenshot-phone.png"

# The same in WebKit (Safari's engine), whose list and scroll bars look their own: the browser's
# whole window on a virtual display, cropped to the page's window.
ensure_packages webkit2gtk-driver xvfb xauth
node tests/web/screenshot.js webkit build/web/site build/web/tests/web/npm/node_modules \
    docs/screenshot-webkit.png
convert docs/screenshot-webkit.png -crop 580x345+0+0 +repage docs/screenshot-webkit.png
echo "wrote docs/screenshot-webkit.png"
