#!/bin/sh
# Every Windows exe we build must run on a bare Windows: it may import only DLLs that come with
# the system, never MinGW's runtime (libstdc++, libgcc, libwinpthread), which a static link leaves
# out. Checks every exe under the build folder, the program among them.
#   check_imports.sh OBJDUMP BUILD_DIR
set -eu
objdump=$1 build=$2
# Lower case; COMCTL32 and the accessibility DLLs serve the native controls and screen readers.
system_dlls=" kernel32.dll user32.dll gdi32.dll msvcrt.dll comctl32.dll advapi32.dll shell32.dll
    ole32.dll oleaut32.dll oleacc.dll uxtheme.dll psapi.dll imm32.dll "
system_dlls=" $(echo $system_dlls) "

exes=$(find "$build" -name '*.exe' -not -path '*/CMakeFiles/*' -not -path '*/wine-prefix/*' |
    sort)
printf '%s\n' "$exes" | grep -q '/krivoklyun\.exe$' || {
    echo "check_imports: no krivoklyun.exe under $build" >&2
    exit 1
}
failed=0
for exe in $exes; do
    dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | tr -d '\r')
    if [ -z "$dlls" ]; then
        echo "check_imports: $exe: objdump shows no imports" >&2
        failed=1
    fi
    for dll in $dlls; do
        case "$system_dlls" in
        *" $dll "*) ;;
        *)
            echo "check_imports: $exe imports $dll, which is not a system DLL" >&2
            failed=1
            ;;
        esac
    done
    echo "$(basename "$exe"): $(echo $dlls)"
done
exit $failed
