; packaging/windows/tidewrack.nsi: the Windows installer, built by makensis from the staged
; program (tools/build_windows.sh defines VERSION, STAGE, ICON, UNINSTALL_LIST and OUTFILE). It installs for the player alone or, asked to, for every user
; of the machine (/ALLUSERS, or the page that asks), adds a Start menu entry and an uninstaller,
; and the uninstaller removes exactly what was installed. The player's settings and record in
; %APPDATA%\Tidewrack stay unless the player asks (/REMOVEPLAYERFILES, or the question it asks).
; A 64-bit installer, as the game is: it runs where the game does.
Target amd64-unicode
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "Tidewrack"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "Software\Tidewrack"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "Software\Tidewrack"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallFolder"
!define MULTIUSER_USE_PROGRAMFILES64
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tidewrack"

Name "Tidewrack"
OutFile "${OUTFILE}"
SetCompressor /SOLID lzma
BrandingText "Tidewrack ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Tidewrack"
VIAddVersionKey /LANG=1033 "FileDescription" "Tidewrack ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "The Tidewrack developers"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright 2026 The Tidewrack developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\tidewrack.exe"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
    SetRegView 64
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
    SetRegView 64
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Tidewrack"
    SetOutPath "$INSTDIR"
    File "${STAGE}\tidewrack.exe"
    File "${STAGE}\instruct.txt"
    File "${STAGE}\README.txt"
    SetOutPath "$INSTDIR\Pictures"
    File /r "${STAGE}\Pictures\*.*"
    SetOutPath "$INSTDIR\Sounds"
    File /r "${STAGE}\Sounds\*.*"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortCut "$SMPROGRAMS\Tidewrack.lnk" "$INSTDIR\tidewrack.exe"

    WriteRegStr SHCTX "Software\Tidewrack" "InstallFolder" "$INSTDIR"
    WriteRegStr SHCTX "Software\Tidewrack" "InstallMode" "$MultiUser.InstallMode"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Tidewrack"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "The Tidewrack developers"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tidewrack.exe"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
        '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
        '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
    ; What was installed, file by file: a folder the player chose that holds other things keeps
    ; them.
    Delete "$INSTDIR\tidewrack.exe"
    Delete "$INSTDIR\instruct.txt"
    Delete "$INSTDIR\README.txt"
    !include "${UNINSTALL_LIST}"
    RMDir "$INSTDIR\Pictures"
    RMDir "$INSTDIR\Sounds"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Tidewrack.lnk"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    DeleteRegKey SHCTX "Software\Tidewrack"

    ; The player's settings and record belong to the player, in the player's own profile whichever
    ; way the game was installed.
    SetShellVarContext current
    ${GetOptions} $CMDLINE "/REMOVEPLAYERFILES" $0
    ${IfNot} ${Errors}
        RMDir /r "$APPDATA\Tidewrack"
    ${ElseIf} ${FileExists} "$APPDATA\Tidewrack\*.*"
        MessageBox MB_YESNO|MB_DEFBUTTON2 \
            "Remove your Tidewrack settings and record of play as well?" /SD IDNO IDNO keep
        RMDir /r "$APPDATA\Tidewrack"
        keep:
    ${EndIf}
SectionEnd
