#!/bin/sh
# Looks at a Debian package as the archive would: lintian, pedantic, where any error or warning
# fails; the info and pedantic tags left are printed for the record. With --hardened the package
# must also carry every hardening Debian builds with, the stack protector included, which lintian
# does not check.
# Usage: lint_deb.sh [--hardened] DEB
set -eu
hardened=false
if [ "$1" = --hardened ]; then
    hardened=true
    shift
fi
deb=$1

fail() {
    printf "lintian: %s\n" "$*" >&2
    exit 1
}

# lintian complains on stderr when it runs as root, as CI does; that is not about the package.
status=0
out=$(lintian --pedantic --display-info --display-experimental --fail-on error,warning "$deb" \
    2>/dev/null) || status=$?
printf '%s\n' "$out"
[ "$status" -eq 0 ] || fail "$(basename "$deb") has errors or warnings (status $status)"

if $hardened; then
    tags=$(printf '%s\n' "$out" | grep 'hardening-' || true)
    [ -z "$tags" ] || fail "not hardened: $tags"
    root=$(mktemp -d)
    trap 'rm -rf "$root"' EXIT
    dpkg-deb -x "$deb" "$root"
    nm -D "$root/usr/bin/krivoklyun" | grep -q " U __stack_chk_fail@" ||
        fail "usr/bin/krivoklyun is built without the stack protector"
fi
echo "lintian: $(basename "$deb") passed"
