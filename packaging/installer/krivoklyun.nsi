; The Windows installer: the 32-bit program, its licence, a Start-menu shortcut and an entry in
; Apps & Features, for all users (elevated) or only for the one who installs. Built by the CMake
; target `downloads`, which passes the paths and texts below with -D.
;
; Silent use, as school IT departments deploy software:
;   krivoklyun-VERSION-setup.exe /S [/AllUsers | /CurrentUser] [/D=FOLDER]
;   "FOLDER\uninstall.exe" /S
; Without /CurrentUser, an administrator installs for all users, anyone else for themselves;
; installing again goes to the earlier installation's folder and hive, replacing it in place.

!ifndef VERSION | EXE | LICENSE | ICON | PUBLISHER | OUTFILE
    !error "Define VERSION, EXE, LICENSE, ICON, PUBLISHER and OUTFILE with -D"
!endif

Unicode true
; The released program is 32-bit so that it runs on every Windows, and so is its installer; a 64-bit
; build passes -DARCH=amd64 and installs into the 64-bit Program Files and registry view.
!define /ifndef ARCH x86
Target ${ARCH}-unicode
!if ${ARCH} == amd64
    !define MULTIUSER_USE_PROGRAMFILES64
!endif
SetCompressor /SOLID lzma
; The files' own times would make two builds of the same sources differ.
SetDateSave off
ManifestDPIAware true
ManifestSupportedOS all

!define PRODUCT "Кривоклюн"
; Internal name of the uninstall entry; Latin so that tools that list it by key stay readable.
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Krivoklyun"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"

; Per-machine by default for administrators, who are asked to elevate; per-user for everyone else
; and for whoever picks it on the first page or passes /CurrentUser.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
; An earlier installation decides both the hive and the folder, so that an upgrade replaces it.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
; The uninstaller finds its hive from where it is (un.onInit), not from the installer's rules.
!define MULTIUSER_NOUNINSTALL
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\krivoklyun.exe"

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_SHOW OfferToRunOnlyWithoutAdministratorRights
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; NSIS's Bulgarian texts lack the install-mode page; given here, the language file takes them.
!define MULTIUSER_TEXT_INSTALLMODE_TITLE "Избор на потребители"
!define MULTIUSER_TEXT_INSTALLMODE_SUBTITLE \
    "Изберете за кои потребители да бъде инсталиран $(^NameDA)."
!define MULTIUSER_INNERTEXT_INSTALLMODE_TOP \
    "Изберете дали да инсталирате $(^NameDA) само за себе си или за всички потребители на този компютър. $(^ClickNext)"
!define MULTIUSER_INNERTEXT_INSTALLMODE_ALLUSERS "За всички потребители на този компютър"
!define MULTIUSER_INNERTEXT_INSTALLMODE_CURRENTUSER "Само за мен"
!insertmacro MUI_LANGUAGE "Bulgarian"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_BULGARIAN} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_BULGARIAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_BULGARIAN} "FileDescription" "Инсталиране на ${PRODUCT}"
VIAddVersionKey /LANG=${LANG_BULGARIAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_BULGARIAN} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_BULGARIAN} "LegalCopyright" "Copyright 2026 ${PUBLISHER}"

!macro REGISTRY_VIEW
    !if ${ARCH} == amd64
        SetRegView 64
    !endif
!macroend

LangString PROGRAM_RUNNING ${LANG_BULGARIAN} \
    "${PRODUCT} е отворен. Затворете го и натиснете „Повторен опит“ или натиснете „Отказ“."

; Windows keeps a running program's exe open, so it can be neither replaced nor removed: a silent
; upgrade would keep the old program and still report success, an uninstall would leave it behind.
; Asks to close it, or stops with exit status 2 (at once when silent) before anything changed.
!macro STOP_IF_RUNNING
    retry:
    ClearErrors
    ${If} ${FileExists} "$INSTDIR\krivoklyun.exe"
        FileOpen $0 "$INSTDIR\krivoklyun.exe" a
        ${If} ${Errors}
            MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(PROGRAM_RUNNING)" /SD IDCANCEL \
                IDRETRY retry
            Abort "$(PROGRAM_RUNNING)"
        ${EndIf}
        FileClose $0
    ${EndIf}
!macroend

Function .onInit
    !insertmacro REGISTRY_VIEW
    !insertmacro MULTIUSER_INIT
FunctionEnd

; A program started from here inherits the installer's rights. An administrator's installer runs
; elevated (for a per-user install too), and the pupil's program must never run with them: the
; finish page offers to start it only to a user who installed without those rights, for themselves.
Function OfferToRunOnlyWithoutAdministratorRights
    ${If} $MultiUser.Privileges == "Admin"
    ${OrIf} $MultiUser.Privileges == "Power"
        SendMessage $mui.FinishPage.Run ${BM_SETCHECK} ${BST_UNCHECKED} 0
        ShowWindow $mui.FinishPage.Run ${SW_HIDE}
    ${EndIf}
FunctionEnd

Section
    !insertmacro STOP_IF_RUNNING
    SetOutPath "$INSTDIR"
    File "/oname=krivoklyun.exe" "${EXE}"
    File "/oname=LICENSE.txt" "${LICENSE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; Straight in Programs, as Windows 10 and 11 show it: one program needs no folder of its own.
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\krivoklyun.exe" "" \
        "$INSTDIR\krivoklyun.exe" 0

    ; SHCTX is HKLM or HKCU as the install mode set the shell context.
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\krivoklyun.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
    !insertmacro REGISTRY_VIEW
    ; Per-machine if the machine-wide entry names this very folder, per-user otherwise: both may
    ; be installed at once, and each uninstaller must remove only its own.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
        SetShellVarContext all
    ${Else}
        SetShellVarContext current
    ${EndIf}
FunctionEnd

; Only what the installer put there: a folder that holds anything else is left in place.
Section "Uninstall"
    !insertmacro STOP_IF_RUNNING
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    Delete "$INSTDIR\krivoklyun.exe"
    Delete "$INSTDIR\LICENSE.txt"
    ; This is a copy of the uninstaller, started by the one in the folder, which may still be ending
    ; on a slow PC; until it has, its file cannot be deleted, and the folder would be left behind.
    ${For} $0 1 50
        ClearErrors
        Delete "$INSTDIR\uninstall.exe"
        ${IfNot} ${Errors}
            ${ExitFor}
        ${EndIf}
        Sleep 100
    ${Next}
    RMDir "$INSTDIR"
SectionEnd
