#!/bin/sh
# Compiles the Windows resource script with MinGW's resource compiler, which Debian has, and
# decompiles the result to check that it carries the icon made from the XPM and the project's
# version. The Windows build itself uses Microsoft's compiler on the same script.
# Usage: check_windows_resources.sh WINDRES CPP RC_FILE ICO_FILE WORK_DIR VERSION
set -eu
windres=$1 cpp=$2 rc=$3 ico=$4 work=$5 version=$6

fail() {
    printf "windows_resources: %s\n" "$*" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work"
"$windres" --preprocessor="$cpp" --preprocessor-arg=-DRC_INVOKED -i "$rc" -o "$work/krivoklyun.res"
"$windres" -i "$work/krivoklyun.res" -O rc -o "$work/decompiled.rc"
decompiled=$work/decompiled.rc

expect() {
    grep -qF -- "$1" "$decompiled" || fail "the compiled resources lack: $1"
}
numbers=$(echo "$version" | sed 's/\./, /g')
expect "FILEVERSION $numbers"
expect "PRODUCTVERSION $numbers"
expect "VALUE \"FileVersion\", \"$version\""
expect "VALUE \"ProductVersion\", \"$version\""
expect 'VALUE "CompanyName", "Krivoklyun developers"'
# Кривоклюн, which only survives if the script is read as UTF-8.
kriv='\x041a\x0440\x0438\x0432\x043e\x043a\x043b\x044e\x043d'
expect "VALUE \"ProductName\", L\"$kriv\""
expect "VALUE \"FileDescription\", L\"$kriv:"
expect 'VALUE "Translation", 0x402, 1200'
expect 'FILEOS 0x40004'
expect 'FILETYPE 0x1'
# One 32×32 8-bit icon...
expect '/* RT_GROUP_ICON */'
expect '"\040\040\000\000", 1, 8,'

# ...whose bitmap is the ICO's, byte for byte: the image data follows the ICO's 22-byte header.
hex() { od -An -v -tx1 | tr -d ' \n'; }
bitmap=$(tail -c +23 "$ico" | hex)
[ -n "$bitmap" ] || fail "$ico is empty"
hex <"$work/krivoklyun.res" | grep -qF "$bitmap" || fail "the compiled icon is not the bitmap of $ico"

echo "windows_resources: version $version and the icon compiled"
