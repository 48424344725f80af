#!/bin/sh
# Builds the release files (the Debian package; the Windows program, installer and zip; the
# browser's site, in its zip) twice from one commit, in two folders of different names, at two
# different times, under different time zones, umasks and locales, and compares them byte for
# byte. Where they differ it shows how (diffoscope), and fails. The Debian package is then linted
# as the archive would, hardening included.
#   sh scripts/reproducible.sh [COMMIT]    (default HEAD)
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
ensure_packages $RUN_PACKAGES dpkg-dev file lintian diffoscope-minimal \
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix nsis zip $WEB_PACKAGES

commit=${1:-HEAD}
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct "$commit")
export SOURCE_DATE_EPOCH
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
first=$scratch/first
second=$scratch/second/a-longer-folder-name
mkdir -p "$first" "$second" "$scratch/out/1" "$scratch/out/2"
git archive "$commit" | tar -x -C "$first"
git archive "$commit" | tar -x -C "$second"

# Each build puts what it made in $scratch/out/N, N being the build's number.
build() {
    n=$1 dir=$2
    deb=$(cd "$dir" && sh scripts/deb.sh)
    cp "$dir/$deb" "$scratch/out/$n/"
    # The Windows release: the 32-bit program, and the installer and zip made from it. The 64-bit
    # build is made by the same toolchain file with the same flags, so it is left out to save CI
    # the time of two more builds.
    (cd "$dir" &&
        cmake --preset windows-x86 -DBUILD_TESTING=OFF -DKRIVOKLYUN_BENCHMARKS=OFF >&2 &&
        cmake --build --preset windows-x86 --target downloads >&2)
    cp "$dir/build/windows-x86/window/win32/krivoklyun.exe" "$scratch/out/$n/krivoklyun.exe"
    cp "$dir/build/windows-x86/downloads/"* "$scratch/out/$n/"
    # The browser's site, whose files are all in its zip.
    (cd "$dir" &&
        cmake --preset web -DBUILD_TESTING=OFF >&2 &&
        cmake --build --preset web --target downloads >&2)
    cp "$dir/build/web/downloads/"* "$scratch/out/$n/"
}
(umask 022 && export TZ=UTC LC_ALL=C.UTF-8 && build 1 "$first")
(umask 002 && export TZ=Pacific/Kiritimati LC_ALL=C && build 2 "$second")

status=0
if [ "$(ls "$scratch/out/1")" != "$(ls "$scratch/out/2")" ]; then
    status=1
    printf 'reproducible: the builds made different files:\n%s\n--- and ---\n%s\n' \
        "$(ls "$scratch/out/1")" "$(ls "$scratch/out/2")" >&2
fi
for a in "$scratch"/out/1/*; do
    name=$(basename "$a")
    b=$scratch/out/2/$name
    if cmp -s "$a" "$b"; then
        echo "reproducible: $name is the same in both builds ($(sha256sum <"$a" | cut -c1-16))"
    else
        status=1
        echo "reproducible: $name differs between the builds:" >&2
        if command -v diffoscope >/dev/null; then
            diffoscope --text - "$a" "$b" >&2 || true
        else
            cmp "$a" "$b" >&2 || true
        fi
    fi
done
[ "$status" -eq 0 ] || exit 1

sh packaging/lint_deb.sh --hardened "$scratch"/out/1/krivoklyun_*.deb
