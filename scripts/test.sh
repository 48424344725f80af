#!/bin/sh
# Installs what is missing, builds everything and runs every test.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
ensure_packages $RUN_PACKAGES $TEST_PACKAGES

cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default
