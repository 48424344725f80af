#!/bin/sh
# Installs what is missing, builds everything and runs every test: once in the normal build, and
# once more with the address, leak and undefined-behaviour sanitizers.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
ensure_packages $RUN_PACKAGES $TEST_PACKAGES $WINDOWS_PACKAGES

cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default

cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

# The Windows program, cross-built for 32 and 64 bits; its tests run under Wine on Xvfb.
for preset in windows-x86 windows-x64; do
    cmake --preset $preset >/dev/null
    cmake --build --preset $preset
    ctest --preset $preset
done
