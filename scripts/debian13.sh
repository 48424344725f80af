#!/bin/sh
# Debian 13 (trixie) from a Debian 12 machine, in roots debootstrap makes under $DEBIAN13_DIR
# (default build/debian13; no spaces). Needs root; not in CI (a first run fetches about 3 GB).
#   sh scripts/debian13.sh [tests|package]    (both by default)
# tests: a fresh clone of the last commit runs the test command in a kept root (a second run
# fetches nothing); package: the .deb built here goes into a fresh root without recommends, and
# the program starts and answers a click under Xvfb.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
ensure_packages debootstrap git
dir=$(realpath -m "${DEBIAN13_DIR:-build/debian13}")
mirror=${DEBIAN13_MIRROR:-http://deb.debian.org/debian}
summary="" mounted=""

# What still runs in a root (a wineserver, an Xvfb) would keep its mounts busy.
leave() {
    [ -n "$mounted" ] || return 0
    for process in /proc/[0-9]*; do
        [ "$(readlink "$process/root" 2>/dev/null)" = "$root" ] && kill "${process#/proc/}" 2>/dev/null
    done
    sleep 1
    for target in $mounted; do umount "$target" || umount -l "$target"; done
    mounted=""
}
trap leave EXIT
trap 'exit 1' INT TERM

# $root: a copy of the base system (made once), with the kernel's file systems mounted in it.
enter() {
    root=$dir/$1
    if [ ! -f "$dir/base.made" ]; then
        rm -rf "$dir/base"
        debootstrap --variant=minbase --include=git,ca-certificates trixie "$dir/base" "$mirror"
        printf 'deb %s trixie main\ndeb %s trixie-updates main\ndeb %s-security trixie-security main\n' \
            "$mirror" "$mirror" "$mirror" >"$dir/base/etc/apt/sources.list"
        touch "$dir/base.made"
    fi
    [ -d "$root" ] || cp -a "$dir/base" "$root"
    cp /etc/resolv.conf "$root/etc/"
    # This machine's own certificate authorities (its network's proxy's, say), as the host has them.
    if cp /usr/local/share/ca-certificates/*.crt "$root/usr/local/share/ca-certificates/" 2>/dev/null; then
        chroot "$root" update-ca-certificates >/dev/null 2>&1
    fi
    for target in proc sys dev dev/pts dev/shm; do
        case $target in
        proc) mount -t proc proc "$root/proc" ;;
        dev/shm) mount -t tmpfs shm "$root/dev/shm" ;;
        *) mount --bind "/$target" "$root/$target" ;;
        esac
        mounted="$root/$target $mounted"
    done
}
in_root() {
    chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 PATH=/usr/sbin:/usr/bin:/sbin:/bin \
        ${NODE_EXTRA_CA_CERTS:+"NODE_EXTRA_CA_CERTS=$NODE_EXTRA_CA_CERTS"} "$@"
}

for part in ${1:-tests package}; do
    start=$(date +%s)
    if [ "$part" = tests ]; then
        enter tests
        rm -rf "$root/root/krivoklyun"
        git clone -q "$PWD" "$root/root/krivoklyun"
        what="tests of $(git -C "$root/root/krivoklyun" log -1 --format=%h)"
        { in_root sh -c 'cd /root/krivoklyun && sh scripts/test.sh' 2>&1 && echo passed ||
            echo "FAILED ($?)"; } | tee "$dir/tests.log"
        result=$(tail -n 1 "$dir/tests.log")
    else
        deb=$(sh scripts/deb.sh | tail -n 1)
        rm -rf "$dir/package"
        enter package
        cp "$deb" "$root/tmp/krivoklyun.deb"
        what="$(basename "$deb") of Debian 12 in a fresh root"
        cat >"$root/tmp/check.sh" <<'CHECK'
set -eu
installed() { dpkg-query -W -f='${db:Status-Abbrev}\n' | grep -c '^ii'; }
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
before=$(installed)
apt-get install -y -qq --no-install-recommends /tmp/krivoklyun.deb >/dev/null
echo "$(($(installed) - before)) packages installed, itself included;"
apt-get install -y -qq --no-install-recommends xvfb xauth xdotool >/dev/null
# Xvfb keeps its screen in a file: a header, a colour map, then rows of pixels. The window is at
# the top-left corner of the bare display, its info box on rows 192 to 336 at 96 dpi.
mkdir -p /tmp/screen
xvfb-run -a -s "-screen 0 800x600x24 -fbdir /tmp/screen" sh -c '
    box() {
        out=$1
        set -- $(od -An -tu4 --endian=big -N 80 /tmp/screen/Xvfb_screen0)
        tail -c +$(($1 + ${20} * 12 + 192 * ${13} + 1)) /tmp/screen/Xvfb_screen0 |
            head -c $((145 * ${13})) >"$out"
    }
    krivoklyun & program=$!
    timeout 30 xdotool search --sync --onlyvisible --class krivoklyun >/dev/null || exit 1
    sleep 1
    box /tmp/before
    xdotool mousemove 300 138 click 1   # "Горска ушата сова (Asio otus)"
    sleep 1
    box /tmp/after
    kill $program || { echo "the program has ended"; exit 1; }
    # Far more than a blinking caret: the text was replaced.
    changed=$(cmp -l /tmp/before /tmp/after | wc -l)
    echo "the program started; a click changed $changed bytes of its info box"
    [ "$changed" -gt 2000 ]'
CHECK
        result=$(in_root sh /tmp/check.sh 2>&1) && result="passed: $result" || result="FAILED: $result"
        result=$(echo "$result" | tr '\n' ' ')
    fi
    summary="$summary
debian13: $what: $result ($(($(date +%s) - start)) s)"
    leave
done
echo "$summary"
case $summary in *FAILED*) exit 1 ;; esac
