#!/bin/sh
# Walks the Windows downloads through their life under Wine on a virtual X display, in the prefix
# $WINEPREFIX made by prefix.sh, which it leaves as it found it:
#   sh tests/wine/installer.sh SETUP.exe PORTABLE.zip x86|x64
# silent install; files, shortcut and Apps & Features entry; the installed program starts, shows
# its window and ends with status 0 when closed; a second install over the first leaves one entry;
# the entry's own quiet-uninstall command removes all of it; the zip holds the same program.
# Nothing else may run in the prefix meanwhile: the test waits for its last process.
# Prints "krivoklyun checks: N passed, M failed" and fails unless M is 0 and N is not.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/env.sh"

if [ $# -eq 3 ]; then
    if [ ! -f "$1" ] || [ ! -f "$2" ]; then
        echo "installer.sh: $1 or $2 is missing" >&2
        exit 2
    fi
    if [ -z "${WINEPREFIX:-}" ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "installer.sh: WINEPREFIX must name a prefix made by tests/wine/prefix.sh" >&2
        exit 2
    fi
    if [ "$3" = x86 ] && [ "$KRIVOKLYUN_WINE32_RUNS" = no ]; then
        echo "installer.sh: 32-bit programs cannot start on this kernel; nothing was tested"
        exit 77
    fi
    setup=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
    zip=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
    work=$(mktemp -d)
    xvfb-run -a -s "-screen 0 1024x768x24" sh "$0" "$setup" "$zip" "$3" "$work"
    status=$?
    rm -rf "$work"
    exit "$status"
fi

setup=$1 zip=$2 arch=$3
cd "$4" || exit 1
passed=0
failed=0
check() {
    what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED: $what"
    fi
}
seconds() { date +%s.%N; }
elapsed() { awk "BEGIN { printf \"%.1f\", $2 - $1 }"; }

if [ "$arch" = x86 ]; then
    view=32 programs="Program Files (x86)"
else
    view=64 programs="Program Files"
fi
folder="$WINEPREFIX/drive_c/$programs/Кривоклюн"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Кривоклюн.lnk"
key='Software\Microsoft\Windows\CurrentVersion\Uninstall'

# Both hives' uninstall entries as UTF-8 text, as Apps & Features would read them.
entries() {
    : >entries.txt
    for hive in HKLM HKCU; do
        wine reg export "$hive\\$key" export.reg /reg:$view /y >/dev/null 2>&1 &&
            iconv -f UTF-16 -t UTF-8 export.reg | tr -d '\r' >>entries.txt
    done
}
entry_count() { grep -c '^"DisplayName"="Кривоклюн"$' entries.txt; }
has() { grep -qxF "$1" entries.txt; }
zipped_as_installed() { unzip -p "$zip" "$1" | cmp -s - "$folder/$1"; }
points_at_program() { strings -el "$shortcut" | grep -q 'krivoklyun\.exe'; }

# Where an installer may put anything: after uninstalling, exactly this must be left.
snapshot() {
    find "$WINEPREFIX/drive_c/$programs" "$WINEPREFIX/drive_c/ProgramData" \
        "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu" | LC_ALL=C sort
}
snapshot >before.txt

start=$(seconds)
wine "$setup" /S
status=$?
install_time=$(elapsed "$start" "$(seconds)")
check "the installer ends with status 0 (got $status)" [ "$status" -eq 0 ]
check "the program is installed" [ -f "$folder/krivoklyun.exe" ]
check "the licence is installed" [ -f "$folder/LICENSE.txt" ]
check "the uninstaller is installed" [ -f "$folder/uninstall.exe" ]
check "the Start-menu shortcut exists" [ -f "$shortcut" ]
check "the shortcut starts the installed program" points_at_program
entries
check "one uninstall entry, machine-wide" [ "$(entry_count)" -eq 1 ]
check "the entry is in HKLM" grep -q '^\[HKEY_LOCAL_MACHINE\\.*\\Krivoklyun\]$' entries.txt
check "the entry's version" has '"DisplayVersion"="1.0.0.0"'
check "the entry's publisher" grep -q '^"Publisher"="..*"$' entries.txt
check "the entry's icon" has "\"DisplayIcon\"=\"C:\\\\$programs\\\\Кривоклюн\\\\krivoklyun.exe,0\""
check "the entry's size" grep -q '^"EstimatedSize"=dword:0000[0-9a-f]*[1-9a-f][0-9a-f]*$' entries.txt
check "the entry cannot be modified" has '"NoModify"=dword:00000001'
check "the entry cannot be repaired" has '"NoRepair"=dword:00000001'
check "the entry's uninstall command" has \
    "\"UninstallString\"=\"\\\"C:\\\\$programs\\\\Кривоклюн\\\\uninstall.exe\\\"\""
quiet=$(sed -n 's/^"QuietUninstallString"="\(.*\)"$/\1/p' entries.txt | sed 's/\\\\/\\/g; s/\\"/"/g')
check "the entry's quiet uninstall command" [ "$quiet" = "\"C:\\$programs\\Кривоклюн\\uninstall.exe\" /S" ]

check "the zip holds exactly the program and the licence" \
    [ "$(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ')" = "LICENSE.txt krivoklyun.exe " ]
check "the zip's program is the installed one" zipped_as_installed krivoklyun.exe
check "the zip's licence is the installed one" zipped_as_installed LICENSE.txt

# The installed program as a user starts it: its window appears, Alt+F4 closes it, status 0.
wine "$folder/krivoklyun.exe" &
program=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --class krivoklyun 2>/dev/null | head -1)
check "the installed program shows its window" [ -n "$window" ]
# Windows cannot replace a running exe: an upgrade must say it failed, not keep the old program.
wine "$setup" /S
status=$?
check "installing over the running program fails (got $status)" [ "$status" -ne 0 ]
if [ -n "$window" ]; then
    xdotool windowfocus --sync "$window" key alt+F4
else
    kill "$program"
fi
wait "$program"
status=$?
check "the installed program ends with status 0 (got $status)" [ "$status" -eq 0 ]

wine "$setup" /S
status=$?
check "a second install ends with status 0 (got $status)" [ "$status" -eq 0 ]
entries
check "the second install leaves one entry" [ "$(entry_count)" -eq 1 ]
check "the second install keeps the program" [ -f "$folder/krivoklyun.exe" ]

# The command Apps & Features runs. The uninstaller hands over to a copy of itself outside the
# folder and returns at once; waiting for the prefix's last process waits for that copy.
program=${quiet#\"}
program=${program%%\"*}
start=$(seconds)
# shellcheck disable=SC2086 # the arguments after the quoted program, split as Windows would
wine "$program" ${quiet##*\" }
status=$?
wineserver -w
uninstall_time=$(elapsed "$start" "$(seconds)")
check "the uninstaller ends with status 0 (got $status)" [ "$status" -eq 0 ]
check "the program's folder is gone" [ ! -e "$folder" ]
check "the shortcut is gone" [ ! -e "$shortcut" ]
entries
check "the uninstall entry is gone" [ "$(entry_count)" -eq 0 ]
snapshot >after.txt
check "uninstalling leaves the folders and menus as they were" cmp -s before.txt after.txt

echo "install: ${install_time} s, uninstall: ${uninstall_time} s (with wineserver's exit)"
echo "krivoklyun checks: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
