; The Zentrix installer, built by makensis from packaging/windows.cmake, which defines:
;
;   VERSION          the version, 1.2.3           VERSION_NUMBERS  the same as 1.2.3.0
;   EXE              the zentrix.exe to install   DOCUMENTS        the folder of README.txt and
;   ICON             the game's icon                               LICENSE.txt (Windows line ends)
;   OUTFILE          the installer to write
;
; It puts zentrix.exe, README.txt and LICENSE.txt in a folder Zentrix with an uninstaller, a
; shortcut "Zentrix" in the Start menu, and the uninstaller's entry in Windows' installed
; programs. The uninstaller removes exactly those: the game itself writes nothing. A newer
; version installs over an older one in its place, keeping one entry.
;
; Who the game is for is the first page's choice (/ALLUSERS or /CURRENTUSER when silent; by
; default, whoever the game is installed for already, else the player alone):
; - for the player alone, as the player, with no administrator: in the player's own programs
;   folder, %LOCALAPPDATA%\Programs\Zentrix, or another the player picks; the player's Start menu,
;   the entry under HKCU. Nothing of it runs with more rights than the player's.
; - for everyone: by an administrator (a player who is not one gets Windows' question, by a copy
;   of the installer started as administrator), only in Program Files\Zentrix, which only
;   administrators can change; every user's Start menu, the entry under HKLM. So the game every
;   user starts and the uninstaller an administrator runs are beyond any other user's reach.
;
; An install relies on nothing it did not put there itself. The game always gets a folder of its
; own, named Zentrix: a folder of that name already there, or a link, that is not the one this
; kind of install recorded is refused. An upgrade removes the files it knows the game by, never
; running the uninstaller it finds in the old folder; from a folder not of the game's own, which
; earlier installers allowed, only zentrix.exe. Nothing is installed or removed while the game
; runs.

Unicode true
SetCompressor /SOLID lzma
; As whoever starts it: an install for everyone asks for an administrator when it is chosen.
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "nsDialogs.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zentrix"
!define PUBLISHER "The Zentrix developers"

Name "Zentrix"
OutFile "${OUTFILE}"
BrandingText "Zentrix ${VERSION}"

; 1 for everyone, 0 for the player alone; 1 if /D= named the folder.
Var AllUsers
Var FolderGiven
Var ForEveryone

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
Page custom WhoPage WhoPageLeave
; The licence grants rights and asks nothing of a player: a Next button, not "I Agree".
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Zentrix is free software under the MIT License."
!define MUI_PAGE_CUSTOMFUNCTION_SHOW LicencePageShow
!insertmacro MUI_PAGE_LICENSE "${DOCUMENTS}/LICENSE.txt"
; For everyone there is one folder, and no page to choose it.
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipForEveryone
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE FolderPageLeave
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

; Sets $1 to 1 if PATH is a link (a junction or a symbolic link), else to 0.
!macro IsLink PATH
    System::Call 'kernel32::GetFileAttributesW(t "${PATH}") i .r1'
    ${If} $1 = -1
        StrCpy $1 0
    ${Else}
        IntOp $1 $1 & 0x400
        ${If} $1 <> 0
            StrCpy $1 1
        ${EndIf}
    ${EndIf}
!macroend

; What an earlier install left in FOLDER, as far as it is surely the game's: in a folder of the
; game's own, named Zentrix, the installer's files and the folder if empty; in any other, which
; installers before the game had a folder of its own allowed, and which may be another
; program's with a README, licence and uninstaller of its own, zentrix.exe alone. Nothing is
; removed through a link.
!macro RemoveEarlierGame FOLDER
    !insertmacro IsLink "${FOLDER}"
    StrCpy $0 "${FOLDER}" 8 -8
    ${If} $1 = 1
        DetailPrint "${FOLDER} is a link now: nothing was removed there."
    ${ElseIf} $0 == "\Zentrix"
        !insertmacro RemoveGameFiles "${FOLDER}"
    ${Else}
        Delete "${FOLDER}\zentrix.exe"
    ${EndIf}
!macroend

; Sets $0 to 1 if this process has an administrator's rights.
!macro IsAdministrator
    System::Call 'shell32::IsUserAnAdmin() i .r0'
!macroend

; Installing or removing the game for everyone is an administrator's work. Without an
; administrator's rights, PROGRAM is started again as administrator with PARAMETERS (Windows asks
; for one) and this copy ends; silently nobody is asked, and it ends with exit code 740, as
; Windows' own programs that need an administrator do. If the administrator is refused, the
; player is told and the calling page stays.
!macro AsAdministrator PROGRAM PARAMETERS
    !insertmacro IsAdministrator
    ${If} $0 = 0
        ${If} ${Silent}
            SetErrorLevel 740
            Quit
        ${EndIf}
        ClearErrors
        ExecShell "runas" "${PROGRAM}" "${PARAMETERS}"
        ${If} ${Errors}
            MessageBox MB_ICONEXCLAMATION "Zentrix was not changed for everyone: an administrator \
                    must allow it."
            Abort
        ${EndIf}
        Quit
    ${EndIf}
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

; Takes up $AllUsers: every user's or the player's Start menu and registry (SHCTX), and unless
; /D= named it, the folder: for everyone Program Files\Zentrix, for the player the folder the
; player's last install recorded, or the player's own programs folder.
Function ForWhom
    ${If} $AllUsers = 1
        SetShellVarContext all
    ${Else}
        SetShellVarContext current
    ${EndIf}
    ${If} $FolderGiven = 0
        StrCpy $INSTDIR "$PROGRAMFILES\Zentrix"
        ${If} $AllUsers = 0
            ReadRegStr $INSTDIR HKCU "${UNINSTALL_KEY}" "InstallLocation"
            ${If} $INSTDIR == ""
                StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Zentrix"
            ${EndIf}
        ${EndIf}
    ${EndIf}
    Call OwnFolder
FunctionEnd

; Sets $0 to why the game may not be installed in $INSTDIR, or to "" if it may: for everyone
; only Program Files\Zentrix; and no folder already there that this kind of install did not
; record as its own, nor a link.
Function RefusedFolder
    StrCpy $0 ""
    ReadRegStr $2 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    !insertmacro IsLink "$INSTDIR"
    ${If} $AllUsers = 1
    ${AndIf} $INSTDIR != "$PROGRAMFILES\Zentrix"
        StrCpy $0 "For everyone on this computer, Zentrix is installed only in \
                $PROGRAMFILES\Zentrix, which only administrators can change."
    ${ElseIf} ${FileExists} "$INSTDIR"
    ${AndIf} $INSTDIR != $2
    ${OrIf} $1 = 1
        StrCpy $0 "$INSTDIR is there already, and the Zentrix installer did not make it. \
                Choose another folder, or remove this one first."
    ${EndIf}
FunctionEnd

Function .onInit
    StrCpy $FolderGiven 0
    ${If} $INSTDIR != ""
        StrCpy $FolderGiven 1
    ${EndIf}
    ; For everyone if asked, or if the game is installed for everyone and not for the player.
    ${GetParameters} $R0
    ClearErrors
    StrCpy $AllUsers 0
    ${GetOptions} $R0 "/ALLUSERS" $R1
    ${IfNot} ${Errors}
        StrCpy $AllUsers 1
    ${Else}
        ClearErrors
        ${GetOptions} $R0 "/CURRENTUSER" $R1
        ${If} ${Errors}
            ReadRegStr $R1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
            ReadRegStr $R2 HKCU "${UNINSTALL_KEY}" "InstallLocation"
            ${If} $R1 != ""
            ${AndIf} $R2 == ""
                StrCpy $AllUsers 1
            ${EndIf}
        ${EndIf}
    ${EndIf}
    ; Run silently, the installer cannot ask for an administrator; with pages, the first asks.
    ${If} $AllUsers = 1
    ${AndIf} ${Silent}
        !insertmacro AsAdministrator "$EXEPATH" "/ALLUSERS"
    ${EndIf}
    Call ForWhom
FunctionEnd

; The first page: for the player alone, or for everyone. An administrator's copy started for
; everyone does not ask again.
Function WhoPage
    !insertmacro IsAdministrator
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/ALLUSERS" $R1
    ${IfNot} ${Errors}
    ${AndIf} $0 <> 0
        Abort
    ${EndIf}
    !insertmacro MUI_HEADER_TEXT "Who will play?" "Install Zentrix for yourself or for everyone."
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateFirstRadioButton} 0 0 100% 24u "&Only for me"
    Pop $R0
    ${NSD_CreateAdditionalRadioButton} 0 52u 100% 24u "For &everyone on this computer"
    Pop $ForEveryone
    ${NSD_CreateLabel} 12u 24u -12u 24u "In your own programs folder, which only you can \
            change. No administrator is needed."
    Pop $0
    ${NSD_CreateLabel} 12u 76u -12u 36u "In Program Files, which only administrators can \
            change. An administrator must allow it."
    Pop $0
    ${If} $AllUsers = 1
        ${NSD_Check} $ForEveryone
    ${Else}
        ${NSD_Check} $R0
    ${EndIf}
    nsDialogs::Show
FunctionEnd

Function WhoPageLeave
    ${NSD_GetState} $ForEveryone $AllUsers
    ${If} $AllUsers = ${BST_CHECKED}
        StrCpy $AllUsers 1
        !insertmacro AsAdministrator "$EXEPATH" "/ALLUSERS"
    ${Else}
        StrCpy $AllUsers 0
    ${EndIf}
    Call ForWhom
FunctionEnd

; For everyone the licence is the last page before installing, and its button says so.
Function LicencePageShow
    ${If} $AllUsers = 1
        GetDlgItem $0 $HWNDPARENT 1
        SendMessage $0 ${WM_SETTEXT} 0 "STR:$(^InstallBtn)"
    ${EndIf}
FunctionEnd

Function SkipForEveryone
    ${If} $AllUsers = 1
        Abort
    ${EndIf}
FunctionEnd

Function FolderPageLeave
    Call OwnFolder
    Call RefusedFolder
    ${If} $0 != ""
        MessageBox MB_ICONEXCLAMATION "$0"
        Abort
    ${EndIf}
FunctionEnd

; Waits until no game started from FOLDER runs: Windows keeps a running program's file from being
; opened for writing, which is what would keep an upgrade or an uninstall from replacing or
; removing it. (A game elsewhere, such as one unpacked from the zip, holds up nothing.) The player
; is asked to close the game and Retry looks again; Cancel, and a silent run, end the installer
; or uninstaller with exit code 2.
!macro WaitForTheGameToEnd FOLDER
    ${Do}
        System::Call 'kernel32::CreateFileW(w "${FOLDER}\zentrix.exe", i 0x40000000, i 7, p 0, \
                i 3, i 0, p 0) i .r0 ?e'
        Pop $1
        ${If} $0 = -1
            ; In use, shared or locked.
            ${If} $1 = 32
            ${OrIf} $1 = 33
                StrCpy $0 1
            ${Else}
                StrCpy $0 0
            ${EndIf}
        ${Else}
            System::Call 'kernel32::CloseHandle(i r0)'
            StrCpy $0 0
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
    ; The pages have done this already, but not for a silent install; nothing is written
    ; anywhere else. A folder refused ends the installer with exit code 2.
    Call OwnFolder
    Call RefusedFolder
    ${If} $0 != ""
        MessageBox MB_ICONSTOP "$0" /SD IDOK
        DetailPrint "$0"
        SetErrorLevel 2
        Abort
    ${EndIf}

    ; A version installed in another folder goes first, so that one copy and one entry remain;
    ; in the same folder the files are simply replaced.
    ReadRegStr $R0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R0 == $INSTDIR
        StrCpy $R0 ""
    ${EndIf}
    ; Nothing is changed before the game has ended.
    !insertmacro WaitForTheGameToEnd "$INSTDIR"
    ${If} $R0 != ""
        !insertmacro WaitForTheGameToEnd "$R0"
        !insertmacro RemoveEarlierGame "$R0"
    ${EndIf}
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"

    SetOutPath "$INSTDIR"
    File "/oname=zentrix.exe" "${EXE}"
    File "${DOCUMENTS}/README.txt"
    File "${DOCUMENTS}/LICENSE.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortcut "$SMPROGRAMS\Zentrix.lnk" "$INSTDIR\zentrix.exe" "" "$INSTDIR\zentrix.exe" 0

    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Zentrix"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zentrix.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ; The size of the game's own files, in kilobytes rounded up.
    StrCpy $1 1023
    !insertmacro AddFileSize $1 "$INSTDIR\zentrix.exe"
    !insertmacro AddFileSize $1 "$INSTDIR\README.txt"
    !insertmacro AddFileSize $1 "$INSTDIR\LICENSE.txt"
    !insertmacro AddFileSize $1 "$INSTDIR\uninstall.exe"
    IntOp $1 $1 / 1024
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $1
SectionEnd

; Installed for everyone if the entry for everyone names this folder; then, without an
; administrator's rights, the uninstaller in Program Files is started again as administrator,
; not this copy of it in the player's temporary folder.
Function un.onInit
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
        SetShellVarContext all
        !insertmacro AsAdministrator "$INSTDIR\uninstall.exe" ""
    ${Else}
        SetShellVarContext current
    ${EndIf}
FunctionEnd

Section "Uninstall"
    !insertmacro WaitForTheGameToEnd "$INSTDIR"
    !insertmacro RemoveGameFiles "$INSTDIR"
    Delete "$SMPROGRAMS\Zentrix.lnk"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
