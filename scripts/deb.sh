#!/bin/sh
# Makes the Debian package as a distribution builds one: a plain configure without our presets,
# build type None with Debian's own flags from dpkg-buildflags (all the hardening: fortify, stack
# protector, relro, bindnow, PIE), without tests, then cpack. Dates come from SOURCE_DATE_EPOCH:
# the last commit's time unless it is set already (a folder from `git archive` has no history).
#   sh scripts/deb.sh [BUILD_DIR]    (default build/deb; replaced) — prints the package's path
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
ensure_packages $RUN_PACKAGES dpkg-dev file

build=${1:-build/deb}
# dpkg-buildpackage builds with this umask too; cpack gives the package's own members the modes of
# its working files.
umask 022
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
fi
export SOURCE_DATE_EPOCH

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# CMake reads CFLAGS, CXXFLAGS and LDFLAGS from the environment but not CPPFLAGS, which carries
# _FORTIFY_SOURCE: it goes in with the compiler's flags, as Debian's own CMake builds do.
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS LDFLAGS

rm -rf "$build"
# Everything but the package's path goes to stderr.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF >&2
cmake --build "$build" -j2 >&2
(cd "$build" && cpack -G DEB >&2)
ls "$build"/krivoklyun_*.deb
