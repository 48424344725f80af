#!/bin/sh
# Builds the Debian package as a release would and looks at it as an installing system would: its
# fields, the files it puts in place, whether the desktop's own validators accept them, and
# whether the program in it starts.
# Usage: check_deb.sh CPACK CPACK_CONFIG WORK_DIR VERSION APP_ID
set -eu
cpack=$1 config=$2 work=$3 version=$4 app_id=$5

fail() {
    printf "debian_package: %s\n" "$*" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work"
"$cpack" -G DEB --config "$config" -B "$work" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$work/cpack.log")"
arch=$(dpkg --print-architecture)
deb=$work/krivoklyun_${version}_$arch.deb
[ -f "$deb" ] || fail "no $deb; cpack made: $(ls "$work")"

# --- control fields
field() { dpkg-deb -f "$deb" "$1"; }
expect_field() {
    [ "$(field "$1")" = "$2" ] || fail "$1 is '$(field "$1")', expected '$2'"
}
expect_field Package krivoklyun
expect_field Version "$version"
expect_field Architecture "$arch"
expect_field Section education
expect_field Maintainer "Krivoklyun developers <dev@example.org>"
depends=$(field Depends)
# The libraries come from dpkg-shlibdeps, the font from us. Debian 13 renamed libraries whose ABI
# changed with 64-bit time_t (libqt6core6t64); the name before the rename is what is checked.
for package in libc6 libqt6core6 libqt6gui6 libqt6widgets6 fonts-liberation; do
    echo "$depends" | tr ',' '\n' | sed 's/^ *//; s/[ (].*//; s/t64$//' | grep -qx "$package" ||
        fail "Depends lacks $package: $depends"
done
field Description | grep -q 'birds of prey' || fail "the description has no English text"
field Description | grep -q 'грабливи птици' || fail "the description has no Bulgarian text"

# --- files
root=$work/root
dpkg-deb -x "$deb" "$root"
expected_files="usr/bin/krivoklyun
usr/share/applications/$app_id.desktop
usr/share/doc/krivoklyun/changelog.gz
usr/share/doc/krivoklyun/copyright
usr/share/icons/hicolor/32x32/apps/$app_id.png
usr/share/man/bg/man1/krivoklyun.1.gz
usr/share/man/man1/krivoklyun.1.gz
usr/share/metainfo/$app_id.metainfo.xml"
actual_files=$(cd "$root" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$actual_files" = "$expected_files" ] ||
    fail "the package holds
$actual_files
expected
$expected_files"

exe=$root/usr/bin/krivoklyun
desktop=$root/usr/share/applications/$app_id.desktop
icon=$root/usr/share/icons/hicolor/32x32/apps/$app_id.png
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
[ -x "$exe" ] || fail "usr/bin/krivoklyun is not executable"
file -b "$exe" | grep -q '^ELF .*, stripped$' || fail "the executable is not a stripped ELF file: $(file -b "$exe")"
file -b "$icon" | grep -q '^PNG image data, 32 x 32,' || fail "the icon is not a 32×32 PNG: $(file -b "$icon")"

# The desktop matches window, entry, icon and metainfo by these names.
grep -qx "Exec=krivoklyun" "$desktop" || fail "the desktop entry does not start usr/bin/krivoklyun"
grep -qx "Icon=$app_id" "$desktop" || fail "the desktop entry does not name the installed icon"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $app_id.desktop"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"
zcat "$root/usr/share/doc/krivoklyun/changelog.gz" | head -n 1 | grep -q "^krivoklyun ($version) " ||
    fail "the changelog's last entry is not version $version"

# --- the desktop's validators: not even a hint may remain
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate failed: $out"
[ -z "$out" ] || fail "desktop-file-validate: $out"
# The one pedantic note left is the upper-case letter of the chosen application id.
out=$(appstreamcli validate-tree --no-net --pedantic "$root" 2>&1) ||
    fail "appstreamcli validate-tree failed: $out"
issues=$(echo "$out" | grep -E '^[EWIP]: ' | grep -v '^P: .*cid-contains-uppercase-letter' || true)
[ -z "$issues" ] || fail "appstreamcli validate-tree: $issues"

# --- the program in the package starts and stays up until it is stopped
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$exe" >"$work/run.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "the packaged program ended with status $status: $(cat "$work/run.log")"

echo "debian_package: $(basename "$deb") checked"
