# Sourced by run.sh, test.sh and bench.sh: installs the Debian 12 or 13 packages that are missing, and
# only those, so a second run costs nothing.

# What building and running the program needs (fontconfig: configuring checks which font stands in
# for Times New Roman; imagemagick: the build makes the icons from the window's XPM).
RUN_PACKAGES="cmake make g++ qt6-base-dev libgl-dev qt6-qpa-plugins fontconfig fonts-liberation
    imagemagick"
# What the tests need beyond that: the formatting check, a real X display for the smoke test, and
# for the packaging tests the Debian package tools, lintian, the desktop's validators and MinGW's
# resource compiler; Clang for the packager's build, diffoscope to show a build that does not
# reproduce. The sanitizer run needs nothing more: g++ brings libasan8, liblsan0 and libubsan1
# with it.
TEST_PACKAGES="clang-format xvfb xauth libx11-dev dpkg-dev file desktop-file-utils appstream
    binutils-mingw-w64-x86-64 clang lintian diffoscope-minimal"
# What scripts/bench.sh needs beyond building: a virtual X display, and callgrind to count
# instructions (preinstalled on developers' machines, but the bench must not rely on that).
BENCH_PACKAGES="xvfb xauth valgrind"
# The Windows builds: MinGW-w64's compilers (posix threads), Wine for 64- and 32-bit programs with
# its own UI fonts, the 32-bit MinGW binutils whose objdump reads the 32-bit exe's imports, and
# NSIS and zip for the downloads made from it (unzip for their test).
WINDOWS_PACKAGES="g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686
    wine wine64 wine32:i386 fonts-wine xvfb xauth xdotool file nsis zip unzip"
# The browser build: Debian's Emscripten (it brings node, which runs its tools and the core's suites
# as WebAssembly), ImageMagick for the page's icons, zip for its download. Its test and benchmark
# need the browsers too, and npm (through ensure_npm) for the packages that drive them: WebKit
# (Safari's engine) is WebKitGTK's MiniBrowser through its WebDriver, which has no headless mode and
# runs on a virtual display (xvfb-run needs xauth, which xvfb only recommends).
WEB_PACKAGES="emscripten imagemagick zip"
BROWSER_PACKAGES="chromium firefox-esr webkit2gtk-driver xvfb xauth"
# The screen-reader test: Orca with its speech written to a file by speech-dispatcher's generic
# module (libao, or it finds no sound card), on its own session and accessibility buses, keys
# typed by xdotool, and the Bulgarian locale's source, compiled into the build, that makes it speak
# Bulgarian.
SCREEN_READER_PACKAGES="orca speech-dispatcher python3-speechd libao4 at-spi2-core python3-pyatspi
    dbus-daemon dbus-bin libglib2.0-bin locales xvfb xdotool"

# Debian 12's node has no npm of its own; a newer node (NodeSource's) has npm inside and conflicts
# with Debian's npm package, so apt is asked for it only when the command is missing.
ensure_npm() {
    command -v npm >/dev/null 2>&1 || ensure_packages npm
}

ensure_packages() {
    missing=""
    for package in "$@"; do
        status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
        [ "$status" = "install ok installed" ] || missing="$missing $package"
    done
    [ -n "$missing" ] || return 0

    if [ "$(id -u)" -eq 0 ]; then
        as_root=""
    elif command -v sudo >/dev/null 2>&1; then
        as_root="sudo"
    else
        echo "krivoklyun: these packages are missing and installing them needs root:$missing" >&2
        exit 1
    fi
    echo "Installing:$missing"
    # 32-bit packages (wine32:i386) come from the i386 architecture, which Debian leaves off.
    case "$missing" in
    *:i386*)
        dpkg --print-foreign-architectures | grep -qx i386 || $as_root dpkg --add-architecture i386
        ;;
    esac
    # A mirror caught in the middle of a sync fails an index or two ("File has unexpected size");
    # apt keeps the lists it could read, which serve every package that needs none of the others.
    tries=1
    until $as_root apt-get update -qq; do
        if [ $tries -eq 3 ]; then
            echo "krivoklyun: apt-get update failed $tries times; going on with the lists it read" >&2
            break
        fi
        tries=$((tries + 1))
        sleep 15
    done
    # shellcheck disable=SC2086
    install_packages $missing && return 0
    # The 32-bit packages must match the 64-bit ones installed version for version, so a missing
    # i386 list leaves them uninstallable. Everything else can still be built and tested: the tests
    # of the 32-bit Windows program then report a skip, as where the kernel cannot run it.
    case "$missing" in
    *:i386*) ;;
    *) exit 1 ;;
    esac
    echo "krivoklyun: the 32-bit packages cannot be installed now; installing the rest without them" >&2
    # shellcheck disable=SC2086
    install_packages $(printf '%s\n' $missing | grep -v ':i386$')
}

install_packages() {
    DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y -qq --no-install-recommends "$@"
}
