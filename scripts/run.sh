#!/bin/sh
# Installs what is missing, builds the program and starts it.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
ensure_packages $RUN_PACKAGES

cmake --preset default >/dev/null
cmake --build --preset default --target krivoklyun
exec build/default/krivoklyun
