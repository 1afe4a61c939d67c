; The Windows installer. scripts/windows/deploy.sh builds it from the program
; folder it made:
;   makensis -INPUTCHARSET UTF8 -DVERSION=<x.y> -DFILES=<files.nsh>
;            -DICON=<tarvell.ico> -DOUTFILE=<setup.exe> tarvell.nsi
; files.nsh lists the program folder's files once for installing and once for
; uninstalling, so that the uninstaller removes what it installed and leaves
; everything else: the user's records (plzNoSmoking.ini, plzNoSmoking.log,
; ToMe.txt and the anniversary files) live in %LOCALAPPDATA%\Tarvell, or
; beside the program when it was run with the rights to write there, and stay.
;
; Silent install (/S) takes the defaults: the program and its Start menu
; entry, without starting at login. /AUTOSTART turns that on as well.

Unicode true
; The default stub is 32-bit: under a 64-bit-only Wine it exits at once having
; installed nothing, and on Windows it would see the 32-bit registry view.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!macro TARVELL_REQUIRE NAME
    !ifndef ${NAME}
        !error "${NAME} must be defined (see the header)"
    !endif
!macroend
!insertmacro TARVELL_REQUIRE VERSION
!insertmacro TARVELL_REQUIRE FILES
!insertmacro TARVELL_REQUIRE ICON
!insertmacro TARVELL_REQUIRE OUTFILE

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include "${FILES}"

!define PRODUCT "Tarvell"
!define PUBLISHER "The Tarvell developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "Software\${PRODUCT}" "InstallDir"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} 설치"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\tarvell.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Korean"

Section "${PRODUCT}" SecProgram
    SectionIn RO
    SetRegView 64
    !insertmacro TARVELL_INSTALL_FILES
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    WriteRegStr HKLM "Software\${PRODUCT}" "InstallDir" "$INSTDIR"

    ; For every user of the machine, as the program is installed for all.
    SetShellVarContext all
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\tarvell.exe" "" "$INSTDIR\tarvell.exe" 0

    ; Apps & features
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tarvell.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Off unless chosen: starting at login is the user's own choice. It is the
; installing user's Run key, since the program lives in that user's tray.
Section /o "로그인할 때 ${PRODUCT} 시작" SecAutostart
    SetRegView 64
    WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\tarvell.exe"'
SectionEnd

Function .onInit
    SetRegView 64
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/AUTOSTART" $1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SecAutostart}
    ${EndIf}
FunctionEnd

Section "Uninstall"
    SetRegView 64
    !insertmacro TARVELL_UNINSTALL_FILES
    Delete "$INSTDIR\uninstall.exe"
    ; Only when empty: whatever the user keeps there stays.
    RMDir "$INSTDIR"

    SetShellVarContext all
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegKey HKLM "Software\${PRODUCT}"
SectionEnd

Function un.onInit
    SetRegView 64
FunctionEnd
