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
;
; The installer runs as administrator, so it relies on nothing it did not put there itself. The
; game always gets a folder of its own, named Zentrix, wherever the player points: another
; program's folder is never shared, and removing the game cannot take that program's files. An
; upgrade removes the files it knows the game by, never running the uninstaller it finds in the
; old folder, which anyone able to write there could have replaced. Nothing is installed or
; removed while the game runs.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include "MUI2.nsh"
!include "LogicLib.nsh"

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
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE OwnFolder
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

; The files the installer writes in the game's folder, all of them.
!macro RemoveGameFiles FOLDER
    Delete "${FOLDER}\zentrix.exe"
    Delete "${FOLDER}\README.txt"
    Delete "${FOLDER}\LICENSE.txt"
    Delete "${FOLDER}\uninstall.exe"
    ; Only if empty: anything a player or another program put there stays.
    RMDir "${FOLDER}"
!macroend

; The game's folder is one of its own: $INSTDIR, typed, browsed to, given by /D= or remembered
; from the last install, gets \Zentrix on the end unless it ends in it already.
Function OwnFolder
    ${DoUntil} $INSTDIR == ""
        StrCpy $0 $INSTDIR 1 -1
        ${If} $0 != "\"
        ${AndIf} $0 != "/"
            ${ExitDo}
        ${EndIf}
        StrCpy $INSTDIR $INSTDIR -1
    ${Loop}
    StrCpy $0 $INSTDIR 8 -8
    ${If} $0 != "\Zentrix"
    ${AndIf} $0 != "/Zentrix"
        StrCpy $INSTDIR "$INSTDIR\Zentrix"
    ${EndIf}
FunctionEnd

Function .onInit
    Call OwnFolder
FunctionEnd

; Waits until the game is not running: no window of the game's main window class
; (ui/win32/form1.h) on this desktop, and FOLDER's zentrix.exe, if there is one, not in use, as
; Windows keeps a running program's file from being opened for writing. The player is asked to
; close the game and Retry looks again; Cancel, and a silent run, end the installer or
; uninstaller with exit code 2.
!macro WaitForTheGameToEnd FOLDER
    ${Do}
        FindWindow $0 "ZentrixForm1"
        ${If} $0 = 0
        ${AndIf} ${FileExists} "${FOLDER}\zentrix.exe"
            ClearErrors
            FileOpen $0 "${FOLDER}\zentrix.exe" a
            ${If} ${Errors}
                StrCpy $0 1
            ${Else}
                FileClose $0
                StrCpy $0 0
            ${EndIf}
        ${EndIf}
        ${If} $0 = 0
            ${ExitDo}
        ${EndIf}
        ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
                "Zentrix is running. Close the game, then choose Retry." /SD IDCANCEL IDRETRY`
            ${ExitDo}
        ${EndIf}
    ${Loop}
    ${If} $0 <> 0
        DetailPrint "Zentrix is running: nothing was changed."
        SetErrorLevel 2
        Abort
    ${EndIf}
!macroend

; Adds the size of FILE in bytes to TOTAL.
!macro AddFileSize TOTAL FILE
    FileOpen $3 "${FILE}" r
    FileSeek $3 0 END $4
    FileClose $3
    IntOp ${TOTAL} ${TOTAL} + $4
!macroend

Section
    SetShellVarContext all
    ; .onInit and the folder page have done this already; nothing is written anywhere else.
    Call OwnFolder

    ; A version installed in another folder goes first, so that one copy and one entry remain:
    ; its files, by name. In the same folder the files are simply replaced.
    ReadRegStr $R0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R0 == $INSTDIR
        StrCpy $R0 ""
    ${EndIf}
    ; Nothing is changed before the game has ended.
    !insertmacro WaitForTheGameToEnd "$INSTDIR"
    ${If} $R0 != ""
        !insertmacro WaitForTheGameToEnd "$R0"
        !insertmacro RemoveGameFiles "$R0"
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
    ; The size of the game's own files, in kilobytes rounded up.
    StrCpy $1 1023
    !insertmacro AddFileSize $1 "$INSTDIR\zentrix.exe"
    !insertmacro AddFileSize $1 "$INSTDIR\README.txt"
    !insertmacro AddFileSize $1 "$INSTDIR\LICENSE.txt"
    !insertmacro AddFileSize $1 "$INSTDIR\uninstall.exe"
    IntOp $1 $1 / 1024
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $1
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    !insertmacro WaitForTheGameToEnd "$INSTDIR"
    !insertmacro RemoveGameFiles "$INSTDIR"
    Delete "$SMPROGRAMS\Zentrix.lnk"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
