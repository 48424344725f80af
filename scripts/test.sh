#!/bin/sh
# Installs what is missing, builds everything and runs every test: once in the normal build, once
# more with the address, leak and undefined-behaviour sanitizers, in the browser's build, in the
# Windows cross builds, and once as a packager builds (Clang, no presets); then checks that the
# release files reproduce.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
ensure_packages $RUN_PACKAGES $TEST_PACKAGES $WINDOWS_PACKAGES $WEB_PACKAGES $BROWSER_PACKAGES \
    $SCREEN_READER_PACKAGES
ensure_npm

cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default

cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

# The browser's program, built with Emscripten; the core's suites run as WebAssembly under node,
# the page in Chromium and Firefox ESR.
cmake --preset web >/dev/null
cmake --build --preset web
ctest --preset web

# The Windows program, cross-built for 32 and 64 bits; its tests run under Wine on Xvfb.
for preset in windows-x86 windows-x64; do
    cmake --preset $preset >/dev/null
    cmake --build --preset $preset
    ctest --preset $preset
done

# A packager's build: plain configure without our presets, so no warnings as errors, Release, and
# the other compiler. The checks of sources and packaging ran above and do not depend on the
# compiler.
CC=clang CXX=clang++ cmake -S . -B build/packager -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/packager -j2
ctest --test-dir build/packager --output-on-failure -j2 \
    -E '^(formatting|debian_package|lintian|windows_resources)$'

sh scripts/reproducible.sh
