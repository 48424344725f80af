#!/bin/sh
# Installs what is missing, builds the program and starts it:
#   sh scripts/run.sh        the Linux program
#   sh scripts/run.sh web    the browser's page, served on this machine at http://127.0.0.1:8580/
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh

if [ "${1:-}" = web ]; then
    ensure_packages $WEB_PACKAGES
    cmake --preset web >/dev/null
    cmake --build --preset web --target site
    # Python's own server: it comes with Emscripten on every Debian and sends .js as JavaScript. The
    # port stays the same, as the browser keeps the offline copy and the installed app per port.
    echo "Кривоклюн: open http://127.0.0.1:8580/ in a browser (Ctrl+C stops the server)"
    exec python3 -m http.server --bind 127.0.0.1 --directory build/web/site 8580
fi

ensure_packages $RUN_PACKAGES
cmake --preset default >/dev/null
cmake --build --preset default --target krivoklyun
exec build/default/krivoklyun
