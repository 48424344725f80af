#!/bin/sh
# Takes docs/screenshot.png: the real program on a virtual X display, after a click on a bird.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
ensure_packages $RUN_PACKAGES xvfb xauth imagemagick xdotool

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
