#!/bin/sh
# Walks the Windows downloads through their life under Wine on a virtual X display, in the prefix
# $WINEPREFIX made by prefix.sh, which it leaves as it found it:
#   sh tests/wine/installer.sh SETUP.exe PORTABLE.zip x86|x64
# Once for all users (an administrator's default; Wine's user is one) and once with /CurrentUser:
# silent install; files, shortcut and Apps & Features entry in that mode's folders and hive; a
# second install over the first leaves one entry, in the same mode; the entry's own quiet-uninstall
# command removes all of it. For all users also: the installed program starts, shows its window
# and ends with status 0 when closed; installing over it while it runs fails; the second install
# goes through the installer's pages, and its finish page starts nothing, since the program would
# inherit the installer's administrator rights; the zip holds the same program.
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
        echo "installer.sh: SKIPPED: $KRIVOKLYUN_WINE32_WHY; nothing was tested"
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
user=$(id -un)
user_dir=users/$user/AppData
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
# Every process of the prefix has ended within 20 s (the server's own wait included).
nothing_left_running() { timeout 20 wineserver -w; }

# Where an installer may put anything: after uninstalling, exactly this must be left.
snapshot() {
    find "$WINEPREFIX/drive_c/$programs" "$WINEPREFIX/drive_c/ProgramData" \
        "$WINEPREFIX/drive_c/$user_dir/Roaming/Microsoft/Windows/Start Menu" | LC_ALL=C sort
}
snapshot >before.txt

# The installer's own pages, as a user goes through them: Enter on each default button.
install_by_hand() {
    wine "$setup" &
    installer=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --name 'Инсталиране на' | head -1)
    for _ in $(seq 30); do
        kill -0 "$installer" 2>/dev/null || break
        [ -n "$window" ] && timeout 5 xdotool windowfocus --sync "$window" key Return 2>/dev/null
        sleep 1
    done
    kill "$installer" 2>/dev/null
    wait "$installer"
}

# One pass of the life cycle in one install mode: AllUsers or CurrentUser.
life_cycle() {
    mode=$1
    if [ "$mode" = AllUsers ]; then
        option="" entry_hive=HKEY_LOCAL_MACHINE windows_folder="C:\\$programs\\Кривоклюн"
        folder="$WINEPREFIX/drive_c/$programs/Кривоклюн"
        menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
    else
        option=/CurrentUser entry_hive=HKEY_CURRENT_USER
        windows_folder="C:\\users\\$user\\AppData\\Local\\Programs\\Кривоклюн"
        folder="$WINEPREFIX/drive_c/$user_dir/Local/Programs/Кривоклюн"
        menu="$WINEPREFIX/drive_c/$user_dir/Roaming/Microsoft/Windows/Start Menu/Programs"
    fi
    shortcut="$menu/Кривоклюн.lnk"
    # As a .reg file writes it: every backslash doubled.
    reg_folder=$(printf '%s' "$windows_folder" | sed 's/\\/\\\\/g')

    start=$(seconds)
    wine "$setup" /S $option
    status=$?
    install_time=$(elapsed "$start" "$(seconds)")
    check "$mode: the installer ends with status 0 (got $status)" [ "$status" -eq 0 ]
    check "$mode: the program is installed" [ -f "$folder/krivoklyun.exe" ]
    check "$mode: the licence is installed" [ -f "$folder/LICENSE.txt" ]
    check "$mode: the uninstaller is installed" [ -f "$folder/uninstall.exe" ]
    check "$mode: the Start-menu shortcut exists" [ -f "$shortcut" ]
    check "$mode: the shortcut starts the installed program" points_at_program
    entries
    check "$mode: one uninstall entry" [ "$(entry_count)" -eq 1 ]
    check "$mode: the entry is in $entry_hive" \
        grep -q "^\[$entry_hive\\\\.*\\\\Krivoklyun\]\$" entries.txt
    check "$mode: the entry's version" has '"DisplayVersion"="1.0.0.0"'
    check "$mode: the entry's publisher" grep -q '^"Publisher"="..*"$' entries.txt
    check "$mode: the entry's icon" has "\"DisplayIcon\"=\"$reg_folder\\\\krivoklyun.exe,0\""
    check "$mode: the entry's size" \
        grep -q '^"EstimatedSize"=dword:0000[0-9a-f]*[1-9a-f][0-9a-f]*$' entries.txt
    check "$mode: the entry cannot be modified" has '"NoModify"=dword:00000001'
    check "$mode: the entry cannot be repaired" has '"NoRepair"=dword:00000001'
    check "$mode: the entry's uninstall command" has \
        "\"UninstallString\"=\"\\\"$reg_folder\\\\uninstall.exe\\\"\""
    quiet=$(sed -n 's/^"QuietUninstallString"="\(.*\)"$/\1/p' entries.txt |
        sed 's/\\\\/\\/g; s/\\"/"/g')
    check "$mode: the entry's quiet uninstall command" \
        [ "$quiet" = "\"$windows_folder\\uninstall.exe\" /S" ]

    if [ "$mode" = AllUsers ]; then
        check "the zip holds exactly the program and the licence" \
            [ "$(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ')" = "LICENSE.txt krivoklyun.exe " ]
        check "the zip's program is the installed one" zipped_as_installed krivoklyun.exe
        check "the zip's licence is the installed one" zipped_as_installed LICENSE.txt

        # The installed program as a user starts it: its window appears, Alt+F4 closes it.
        wine "$folder/krivoklyun.exe" &
        program=$!
        window=$(timeout 30 xdotool search --sync --onlyvisible --class krivoklyun 2>/dev/null |
            head -1)
        check "the installed program shows its window" [ -n "$window" ]
        # Windows cannot replace a running exe: an upgrade must say it failed, not keep the old
        # program.
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

        install_by_hand
        status=$?
        check "the second install, by hand, ends with status 0 (got $status)" [ "$status" -eq 0 ]
        check "the finish page of an administrator's install starts nothing" nothing_left_running
        wineserver -k 2>/dev/null
    else
        # Without the option: the earlier installation decides the mode.
        wine "$setup" /S
        status=$?
        check "$mode: the second install ends with status 0 (got $status)" [ "$status" -eq 0 ]
        check "$mode: the second install stays per-user" \
            [ ! -e "$WINEPREFIX/drive_c/$programs/Кривоклюн" ]
    fi
    entries
    check "$mode: the second install leaves one entry" [ "$(entry_count)" -eq 1 ]
    check "$mode: the second install keeps the program" [ -f "$folder/krivoklyun.exe" ]

    # The command Apps & Features runs. The uninstaller hands over to a copy of itself outside the
    # folder and returns at once; waiting for the prefix's last process waits for that copy.
    program=${quiet#\"}
    program=${program%%\"*}
    if [ "$mode" = CurrentUser ]; then
        # As on a slow PC, the uninstaller in the folder is still ending while its copy deletes: one
        # more of it runs in place, until 2 s after the copy has started.
        "$KRIVOKLYUN_WINE" "$program" "_?=$windows_folder" &
        ending=$!
        timeout 30 xdotool search --sync --onlyvisible --name 'Кривоклюн' >/dev/null
    fi
    start=$(seconds)
    # shellcheck disable=SC2086 # the arguments after the quoted program, split as Windows would
    wine "$program" ${quiet##*\" }
    status=$?
    [ "$mode" = CurrentUser ] && sleep 2 && kill "$ending"
    wineserver -w
    uninstall_time=$(elapsed "$start" "$(seconds)")
    check "$mode: the uninstaller ends with status 0 (got $status)" [ "$status" -eq 0 ]
    check "$mode: the program's folder is gone" [ ! -e "$folder" ]
    check "$mode: the shortcut is gone" [ ! -e "$shortcut" ]
    entries
    check "$mode: the uninstall entry is gone" [ "$(entry_count)" -eq 0 ]
    snapshot >after.txt
    check "$mode: uninstalling leaves the folders and menus as they were" \
        cmp -s before.txt after.txt
    echo "$mode: install ${install_time} s, uninstall ${uninstall_time} s (with wineserver's exit)"
}

life_cycle AllUsers
life_cycle CurrentUser

echo "krivoklyun checks: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
