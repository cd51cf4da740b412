; The Zentrix installer, built by makensis from packaging/windows.cmake, which defines:
;
;   VERSION          the version, 1.2.3           VERSION_NUMBERS  the same as 1.2.3.0
;   EXE              the zentrix.exe to install   DOCUMENTS        the folder of README.txt and
;   ICON             the game's icon                               LICENSE.txt (Windows line ends)
;   OUTFILE          the installer to write
;
; It puts zentrix.exe, README.txt and LICENSE.txt in Program Files\Zentrix with an uninstaller,
; a shortcut "Zentrix" in every user's Start menu, and the uninstaller's entry in Windows'
; installed programs. The uninstaller removes exactly those: the game itself writes nothing.
; A newer version installs over an older one in its place, keeping one entry.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zentrix"
!define PUBLISHER "The Zentrix developers"

Name "Zentrix"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Zentrix"
; Reinstalling or upgrading offers the folder of the version already there.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Zentrix ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
; The licence grants rights and asks nothing of a player: a Next button, not "I Agree".
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Zentrix is free software under the MIT License."
!insertmacro MUI_PAGE_LICENSE "${DOCUMENTS}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION_NUMBERS}"
VIFileVersion "${VERSION_NUMBERS}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Zentrix"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Zentrix ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}, MIT License"

Section
    SetShellVarContext all

    ; A version installed in another folder goes first, by its own uninstaller, so that one copy
    ; and one entry remain. In the same folder the files are simply replaced.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
    ${AndIf} $0 != $INSTDIR
    ${AndIf} ${FileExists} "$0\uninstall.exe"
        ExecWait '"$0\uninstall.exe" /S _?=$0'
        Delete "$0\uninstall.exe"
        RMDir "$0"
    ${EndIf}

    SetOutPath "$INSTDIR"
    File "/oname=zentrix.exe" "${EXE}"
    File "${DOCUMENTS}/README.txt"
    File "${DOCUMENTS}/LICENSE.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortcut "$SMPROGRAMS\Zentrix.lnk" "$INSTDIR\zentrix.exe" "" "$INSTDIR\zentrix.exe" 0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Zentrix"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zentrix.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K /G=0" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "$INSTDIR\zentrix.exe"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\uninstall.exe"
    ; Only if empty: anything a player put there stays.
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Zentrix.lnk"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
