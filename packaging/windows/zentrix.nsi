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
; own, named Zentrix: a folder of that name already there that this kind of install did not
; record is refused, and so is a path through a link. An upgrade removes the files it knows the
; game by, never running the uninstaller it finds in the old folder; from a folder not of the
; game's own, which earlier installers allowed, only zentrix.exe. Nothing is installed or removed
; while the game runs.
;
; With an administrator's rights nothing is removed but from Program Files\Zentrix and from the
; player's own profile: an earlier folder elsewhere is left as it is, and the administrator told.
; Nor does such a run take any folder from the player's own registry (HKCU), which the player's
; programs can change. The player's profile is beyond other users' reach but not beyond the
; player's own programs, which run without those rights and may swap a folder there for a link
; to one they cannot change. So every change waits until the game has ended, and only then looks
; at the folder: every folder on its path is held open, links not followed and deleting or
; renaming them shared with no one, from the look to the last file written or removed; an emptied
; folder is removed while the folders on its path are still held, so that what goes is what is
; there, never where a link leads. The folder is looked at again before each file, as an empty
; one can be made a link in place. The uninstaller removes
; only the folder and entry an install recorded, and says so, ending with an error, when it
; cannot or when a file stays.

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

; 1 for everyone, 0 for the player alone; 1 if /D= named the folder; 1 if this process has an
; administrator's rights.
Var AllUsers
Var FolderGiven
Var ForEveryone
Var Administrator
; The folders Hold keeps open, their handles separated by spaces, and the last of them.
Var Held
Var HeldLeaf

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

; Calls the installer's or the uninstaller's copy of the function NAME.
!macro CallBoth NAME
    !ifdef __UNINSTALL__
        Call un.${NAME}
    !else
        Call ${NAME}
    !endif
!macroend

; OUT is PATH as Windows finds it: in full, without "." or "..", with each part's long name as
; far as it exists, and no backslash on the end but a drive's.
!macro Canonical OUT PATH
    Push "${PATH}"
    !insertmacro CallBoth Canonical
    Pop ${OUT}
!macroend

; OUT is why nothing may be removed from FOLDER, or "" if the game's files may be: no part of its
; path a link (a junction or a symbolic link), and with an administrator's rights, the folder
; Program Files\Zentrix or one inside the player's own profile.
!macro WhyNotRemove OUT FOLDER
    Push "${FOLDER}"
    !insertmacro CallBoth WhyNotRemove
    Pop ${OUT}
!macroend

; OUT is the first part of PATH, from its end, that is a link, or "" if none is.
!macro LinkOnThePath OUT PATH
    Push "${PATH}"
    !insertmacro CallBoth LinkOnThePath
    Pop ${OUT}
!macroend

; OUT is 1 if PATH is inside FOLDER (both canonical), else 0.
!macro IsInside OUT PATH FOLDER
    Push "${PATH}"
    Push "${FOLDER}"
    !insertmacro CallBoth IsInside
    Pop ${OUT}
!macroend

; Holds every folder of FOLDER (canonical, on a drive), from the drive down, open until Release:
; each opened as itself, not where a link would lead, and kept from being deleted or renamed by
; anyone, so that no folder on the way can be swapped for a link until Release. With MAKE 1,
; folders not there yet are made. OUT is why FOLDER is not held, or "" if it is: a part of its
; path that is a link, as the path or as the folder held shows it, or that cannot be held.
!macro Hold OUT FOLDER MAKE
    Push "${FOLDER}"
    Push ${MAKE}
    !insertmacro CallBoth Hold
    Pop ${OUT}
!macroend

!macro PathFunctions UN
; Closes every folder Hold holds.
Function ${UN}Release
    Push $0
    Push $1
    Push $2
    Push $3
    StrCpy $Held "$Held "
    StrLen $2 $Held
    StrCpy $1 ""
    StrCpy $3 0
    ${DoWhile} $3 < $2
        StrCpy $0 $Held 1 $3
        ${If} $0 == " "
            ${If} $1 != ""
                System::Call 'kernel32::CloseHandle(i r1)'
            ${EndIf}
            StrCpy $1 ""
        ${Else}
            StrCpy $1 "$1$0"
        ${EndIf}
        IntOp $3 $3 + 1
    ${Loop}
    StrCpy $Held ""
    StrCpy $HeldLeaf ""
    Pop $3
    Pop $2
    Pop $1
    Pop $0
FunctionEnd

Function ${UN}Hold
    Exch $1
    Exch
    Exch $0
    Push $2
    Push $3
    Push $4
    Push $5
    Push $6
    Push $7
    StrCpy $7 ""
    StrCpy $2 $0 2 1
    ${If} $2 != ":\"
        StrCpy $7 "Zentrix is installed only in a folder on a drive, and $0 is not one."
    ${EndIf}
    StrLen $3 $0
    StrCpy $2 3
    ${DoWhile} $7 == ""
        ; $4, the next folder on the way.
        ${DoWhile} $2 < $3
            StrCpy $5 $0 1 $2
            ${If} $5 == "\"
                ${ExitDo}
            ${EndIf}
            IntOp $2 $2 + 1
        ${Loop}
        StrCpy $4 $0 $2
        ; Listing the folder, so that Windows counts its hold in who may delete it; the folder
        ; itself, not where it leads (backup semantics, reparse point).
        System::Call 'kernel32::CreateFileW(w r4, i 0x100081, i 3, p 0, i 3, i 0x02200000, p 0) \
                i .r5'
        ${If} $5 = -1
        ${AndIf} $1 = 1
            System::Call 'kernel32::CreateDirectoryW(w r4, p 0) i .r5'
            System::Call 'kernel32::CreateFileW(w r4, i 0x100081, i 3, p 0, i 3, i 0x02200000, \
                    p 0) i .r5'
        ${EndIf}
        ${If} $5 = -1
            StrCpy $7 "$4 cannot be opened, so nothing was changed in $0. Close any program \
                    using it, then try again."
            ${ExitDo}
        ${EndIf}
        StrCpy $Held "$Held $5"
        StrCpy $HeldLeaf $5
        ; A link as the path shows it, or as the folder held shows it (which Windows opens as
        ; the link itself).
        System::Call 'kernel32::GetFileAttributesW(w r4) i .r6'
        ${If} $6 <> -1
            IntOp $6 $6 & 0x400
            ${If} $6 = 0
                System::Alloc 52
                Pop $6
                System::Call 'kernel32::GetFileInformationByHandle(i r5, p r6) i .r7'
                ${If} $7 = 0
                    StrCpy $7 0x400
                ${Else}
                    System::Call '*$6(i .r7)'
                    IntOp $7 $7 & 0x400
                ${EndIf}
                System::Free $6
                StrCpy $6 $7
                StrCpy $7 ""
            ${EndIf}
        ${Else}
            StrCpy $6 0x400
        ${EndIf}
        ${If} $6 <> 0
            StrCpy $7 "$4 is a link (a junction or a symbolic link), so nothing was changed in \
                    $0."
            ${ExitDo}
        ${EndIf}
        ${If} $2 >= $3
            ${ExitDo}
        ${EndIf}
        IntOp $2 $2 + 1
    ${Loop}
    ${If} $7 != ""
        Call ${UN}Release
    ${EndIf}
    StrCpy $0 $7
    Pop $7
    Pop $6
    Pop $5
    Pop $4
    Pop $3
    Pop $2
    Exch $0
    Exch
    Pop $1
FunctionEnd

Function ${UN}Canonical
    Exch $0
    Push $1
    Push $2
    System::Call 'kernel32::GetFullPathNameW(w r0, i ${NSIS_MAX_STRLEN}, w .r1, p 0) i .r2'
    ${If} $2 > 0
    ${AndIf} $2 < ${NSIS_MAX_STRLEN}
        StrCpy $0 $1
    ${EndIf}
    ; The long names of the part that exists, and the rest as given: a folder to be made is
    ; recorded as it will be found.
    Push $3
    Push $4
    StrCpy $3 $0
    StrCpy $4 ""
    ${Do}
        System::Call 'kernel32::GetLongPathNameW(w r3, w .r1, i ${NSIS_MAX_STRLEN}) i .r2'
        ${If} $2 > 0
        ${AndIf} $2 < ${NSIS_MAX_STRLEN}
            StrCpy $0 "$1$4"
            ${ExitDo}
        ${EndIf}
        ; Off with the last part, down to the drive.
        StrLen $2 $3
        ${If} $2 <= 3
            ${ExitDo}
        ${EndIf}
        ${Do}
            IntOp $2 $2 - 1
            ${If} $2 <= 2
                ${ExitDo}
            ${EndIf}
            StrCpy $1 $3 1 $2
        ${LoopUntil} $1 == "\"
        ${If} $2 = 2
            IntOp $2 $2 + 1
        ${EndIf}
        StrCpy $1 $3 "" $2
        StrCpy $4 "$1$4"
        StrCpy $3 $3 $2
    ${Loop}
    Pop $4
    Pop $3
    StrCpy $1 $0 1 -1
    StrLen $2 $0
    ${If} $1 == "\"
    ${AndIf} $2 > 3
        StrCpy $0 $0 -1
    ${EndIf}
    Pop $2
    Pop $1
    Exch $0
FunctionEnd

Function ${UN}LinkOnThePath
    Exch $0
    Push $1
    Push $2
    ${Do}
        System::Call 'kernel32::GetFileAttributesW(w r0) i .r1'
        ${If} $1 <> -1
            IntOp $1 $1 & 0x400
            ${If} $1 <> 0
                ${ExitDo}
            ${EndIf}
        ${EndIf}
        ; On to the folder holding it, until the drive itself has been looked at.
        StrLen $1 $0
        ${If} $1 <= 3
            StrCpy $0 ""
            ${ExitDo}
        ${EndIf}
        ${Do}
            IntOp $1 $1 - 1
            ${If} $1 <= 0
                ${ExitDo}
            ${EndIf}
            StrCpy $2 $0 1 $1
        ${LoopUntil} $2 == "\"
        ${If} $1 <= 0
            StrCpy $0 ""
            ${ExitDo}
        ${EndIf}
        ; "C:" alone is the drive's current folder: "C:\" is the drive.
        ${If} $1 = 2
            IntOp $1 $1 + 1
        ${EndIf}
        StrCpy $0 $0 $1
    ${Loop}
    Pop $2
    Pop $1
    Exch $0
FunctionEnd

Function ${UN}IsInside
    Exch $1
    Exch
    Exch $0
    Push $2
    StrLen $2 $1
    StrCpy $2 $0 $2
    ${If} $2 == $1
        StrLen $2 $1
        StrCpy $2 $0 1 $2
    ${EndIf}
    ${If} $2 == "\"
        StrCpy $0 1
    ${Else}
        StrCpy $0 0
    ${EndIf}
    Pop $2
    Exch $0
    Exch
    Pop $1
FunctionEnd

Function ${UN}WhyNotRemove
    Exch $0
    Push $1
    Push $2
    !insertmacro Canonical $0 $0
    !insertmacro LinkOnThePath $1 $0
    ${If} $1 != ""
        StrCpy $0 "$1 is a link (a junction or a symbolic link), so nothing was removed from $0."
    ${ElseIf} $Administrator = 1
        ; Only the game's own folder in Program Files: another folder there may be one that a
        ; program let every user change.
        !insertmacro Canonical $1 "$PROGRAMFILES\Zentrix"
        ; The player's own profile is as far beyond other users' reach: a player whose programs
        ; all run with an administrator's rights still removes their own game.
        !insertmacro Canonical $2 $PROFILE
        !insertmacro IsInside $2 $0 $2
        ${If} $0 != $1
        ${AndIf} $2 = 0
            StrCpy $0 "$0 is not $1, and other users may change it, so with an administrator's \
                    rights nothing was removed from it. If Zentrix is still there, remove it \
                    without them."
        ${Else}
            StrCpy $0 ""
        ${EndIf}
    ${Else}
        StrCpy $0 ""
    ${EndIf}
    Pop $2
    Pop $1
    Exch $0
FunctionEnd
!macroend
!insertmacro PathFunctions ""
!insertmacro PathFunctions "un."

; Before each file written or removed in FOLDER, which Hold holds: it is still no link. Holding
; a folder keeps it where it is, but an empty one can be made a junction in place. If it has been,
; nothing more is done: the installer or uninstaller ends with exit code 2.
!macro StillNoLink FOLDER
    System::Call 'kernel32::GetFileAttributesW(w "${FOLDER}") i .r0'
    IntOp $0 $0 & 0x400
    ${If} $0 <> 0
        !insertmacro CallBoth Release
        StrCpy $0 "${FOLDER} has been made a link (a junction or a symbolic link), so nothing \
                more was changed in it."
        MessageBox MB_ICONSTOP "$0" /SD IDOK
        DetailPrint "$0"
        SetErrorLevel 2
        Abort
    ${EndIf}
!macroend

; The files the installer writes in the game's folder, all of them, which Hold holds; the error
; flag is set if one of them is there and could not be deleted.
!macro RemoveGameFiles FOLDER
    !insertmacro StillNoLink "${FOLDER}"
    ClearErrors
    Delete "${FOLDER}\zentrix.exe"
    !insertmacro StillNoLink "${FOLDER}"
    Delete "${FOLDER}\README.txt"
    !insertmacro StillNoLink "${FOLDER}"
    Delete "${FOLDER}\LICENSE.txt"
    !insertmacro StillNoLink "${FOLDER}"
    Delete "${FOLDER}\uninstall.exe"
!macroend

; Removes FOLDER, which Hold holds, if it is empty: it is let go, but the folders on its path are
; still held, so what is there by its name is the game's folder or whatever a program of the
; player's put in its place, which is removed itself, never where a link leads.
!macro RemoveHeldFolder FOLDER
    System::Call 'kernel32::CloseHandle(i $HeldLeaf)'
    StrLen $0 " $HeldLeaf"
    IntOp $0 0 - $0
    StrCpy $Held $Held $0
    StrCpy $HeldLeaf ""
    RMDir "${FOLDER}"
!macroend

; What an earlier install left in FOLDER, which Hold holds and WhyNotRemove allows, as far as it
; is surely the game's: in a folder of the game's own, named Zentrix, the installer's files and
; the folder if empty (anything a player or another program put there stays); in any other, which
; installers before the game had a folder of its own allowed, and which may be another program's
; with a README, licence and uninstaller of its own, zentrix.exe alone.
!macro RemoveEarlierGame FOLDER
    StrCpy $0 "${FOLDER}" 8 -8
    ${If} $0 == "\Zentrix"
        !insertmacro RemoveGameFiles "${FOLDER}"
        !insertmacro RemoveHeldFolder "${FOLDER}"
    ${Else}
        !insertmacro StillNoLink "${FOLDER}"
        Delete "${FOLDER}\zentrix.exe"
    ${EndIf}
!macroend

; Sets $0 to 1 if this process has an administrator's rights: if its token holds the
; Administrators group for access, as IsUserAnAdmin answers on Windows (a player's token under
; User Account Control holds the group only to deny).
!macro IsAdministrator
    Push $1
    Push $2
    StrCpy $0 0
    System::Alloc 72
    Pop $1
    System::Call 'advapi32::CreateWellKnownSid(i 26, p 0, p r1, *i 72) i .r2'
    ${If} $2 <> 0
        System::Call 'advapi32::CheckTokenMembership(p 0, p r1, *i .r0) i .r2'
        ${If} $2 = 0
            StrCpy $0 0
        ${EndIf}
    ${EndIf}
    System::Free $1
    Pop $2
    Pop $1
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
; player's last install recorded (not with an administrator's rights), or the player's own
; programs folder.
Function ForWhom
    ${If} $AllUsers = 1
        SetShellVarContext all
    ${Else}
        SetShellVarContext current
    ${EndIf}
    ${If} $FolderGiven = 0
        StrCpy $INSTDIR "$PROGRAMFILES\Zentrix"
        ${If} $AllUsers = 0
            StrCpy $INSTDIR ""
            ${If} $Administrator = 0
                ReadRegStr $INSTDIR HKCU "${UNINSTALL_KEY}" "InstallLocation"
            ${EndIf}
            ${If} $INSTDIR == ""
                StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Zentrix"
            ${EndIf}
        ${EndIf}
    ${EndIf}
    Call OwnFolder
FunctionEnd

; Sets $0 to why the game may not be installed in $INSTDIR, or to "" if it may: for everyone
; only Program Files\Zentrix; no path through a link; and no folder already there that this kind
; of install recorded as its own, which with an administrator's rights only the record for
; everyone can tell.
Function RefusedFolder
    StrCpy $0 ""
    StrCpy $2 ""
    ${If} $AllUsers = 1
    ${OrIf} $Administrator = 0
        ReadRegStr $2 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ${EndIf}
    ${If} $2 != ""
        !insertmacro Canonical $2 $2
    ${EndIf}
    !insertmacro Canonical $3 $INSTDIR
    !insertmacro Canonical $4 "$PROGRAMFILES\Zentrix"
    !insertmacro LinkOnThePath $1 $3
    ${If} $AllUsers = 1
    ${AndIf} $3 != $4
        StrCpy $0 "For everyone on this computer, Zentrix is installed only in \
                $PROGRAMFILES\Zentrix, which only administrators can change."
    ${ElseIf} $1 != ""
        StrCpy $0 "$1 is a link (a junction or a symbolic link). Choose a folder reached \
                without one."
    ${ElseIf} ${FileExists} "$INSTDIR"
    ${AndIf} $3 != $2
        StrCpy $0 "$INSTDIR is there already, and the Zentrix installer did not make it. \
                Choose another folder, or remove this one first."
        ${If} $Administrator = 1
        ${AndIf} $AllUsers = 0
            StrCpy $0 "$INSTDIR is there already. Run as administrator, the installer does \
                    not take your own settings' word that it is Zentrix's: to install over it, \
                    run the installer without an administrator's rights, or choose another \
                    folder."
        ${EndIf}
    ${EndIf}
FunctionEnd

; Sets $0 to a warning if the player alone is to have the game in a folder that other users of
; this computer may change: any outside the player's own profile, which is the player's alone.
Function OthersMayChange
    StrCpy $0 ""
    ${If} $AllUsers = 0
        !insertmacro Canonical $1 $INSTDIR
        !insertmacro Canonical $2 $PROFILE
        !insertmacro IsInside $1 $1 $2
        ${If} $1 = 0
            StrCpy $0 "Other users of this computer may be able to change $INSTDIR, and so the \
                    game you start from it: only the folders in $2 are yours alone."
        ${EndIf}
    ${EndIf}
FunctionEnd

Function .onInit
    !insertmacro IsAdministrator
    StrCpy $Administrator $0
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
    Call OthersMayChange
    ${If} $0 != ""
        MessageBox MB_YESNO|MB_ICONEXCLAMATION "$0$\n$\nInstall Zentrix there all the same?" \
                IDYES +2
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

; Ends the installer with exit code 2, telling why: $0.
!macro Refuse
    MessageBox MB_ICONSTOP "$0" /SD IDOK
    DetailPrint "$0"
    SetErrorLevel 2
    Abort
!macroend

Section
    ; The pages have done this already, but not for a silent install; nothing is written
    ; anywhere else.
    Call OwnFolder
    ; What is recorded is the folder as Windows finds it.
    !insertmacro Canonical $INSTDIR $INSTDIR

    ; A version installed in another folder goes first, so that one copy and one entry remain;
    ; in the same folder the files are simply replaced. Run as administrator for the player
    ; alone, the installer takes no folder from the player's own settings: it only tells of one.
    StrCpy $R0 ""
    ${If} $AllUsers = 1
    ${OrIf} $Administrator = 0
        ReadRegStr $R0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ${Else}
        ReadRegStr $R1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
        !insertmacro Canonical $R1 $R1
        ${If} $R1 != ""
        ${AndIf} $R1 != $INSTDIR
            StrCpy $R1 "Your own settings name $R1 as the folder of an earlier Zentrix. Run \
                    as administrator, the installer leaves it as it is: if Zentrix is there, \
                    remove it without an administrator's rights."
            MessageBox MB_ICONINFORMATION "$R1" /SD IDOK
            DetailPrint "$R1"
        ${EndIf}
    ${EndIf}
    ${If} $R0 != ""
        !insertmacro Canonical $R0 $R0
    ${EndIf}
    ${If} $R0 == $INSTDIR
        StrCpy $R0 ""
    ${EndIf}

    ; Nothing is looked at before the game has ended: the box asking the player to close it
    ; waits as long as anyone likes, and what was seen before it may have changed after it.
    !insertmacro WaitForTheGameToEnd "$INSTDIR"
    ${If} $R0 != ""
        !insertmacro WaitForTheGameToEnd "$R0"
    ${EndIf}
    ; A folder refused ends the installer with exit code 2.
    Call RefusedFolder
    ${If} $0 != ""
        !insertmacro Refuse
    ${EndIf}
    Call OthersMayChange
    ${If} $0 != ""
        DetailPrint "$0"
    ${EndIf}

    ${If} $R0 != ""
    ${AndIf} ${FileExists} "$R0\*.*"
        !insertmacro Hold $R1 $R0 0
        ${If} $R1 == ""
            !insertmacro WhyNotRemove $R1 $R0
        ${EndIf}
        ${If} $R1 != ""
            StrCpy $R1 "An earlier Zentrix was recorded in $R0. $R1"
            MessageBox MB_ICONINFORMATION "$R1" /SD IDOK
            DetailPrint "$R1"
        ${Else}
            !insertmacro RemoveEarlierGame "$R0"
        ${EndIf}
        Call Release
    ${EndIf}

    !insertmacro Hold $0 $INSTDIR 1
    ${If} $0 != ""
        !insertmacro Refuse
    ${EndIf}
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"

    SetOutPath "$INSTDIR"
    !insertmacro StillNoLink "$INSTDIR"
    File "/oname=zentrix.exe" "${EXE}"
    !insertmacro StillNoLink "$INSTDIR"
    File "${DOCUMENTS}/README.txt"
    !insertmacro StillNoLink "$INSTDIR"
    File "${DOCUMENTS}/LICENSE.txt"
    !insertmacro StillNoLink "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    Call Release

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

; The uninstaller removes only what an install recorded: the entry for everyone or the
; player's, whichever names its folder (as Windows finds either, so that a short name or a
; different way of writing it makes no difference), and with it that entry alone. For everyone,
; without an administrator's rights, the uninstaller in Program Files is started again as
; administrator, not this copy of it in the player's temporary folder. From a folder neither
; entry names, nothing is removed, and the uninstaller ends with exit code 2.
Function un.onInit
    !insertmacro IsAdministrator
    StrCpy $Administrator $0
    !insertmacro Canonical $1 $INSTDIR
    ReadRegStr $2 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $3 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $2 != ""
        !insertmacro Canonical $2 $2
    ${EndIf}
    ${If} $3 != ""
        !insertmacro Canonical $3 $3
    ${EndIf}
    ${If} $1 == $2
        StrCpy $INSTDIR $2
        SetShellVarContext all
        !insertmacro AsAdministrator "$INSTDIR\uninstall.exe" ""
    ${ElseIf} $1 == $3
        StrCpy $INSTDIR $3
        SetShellVarContext current
    ${Else}
        MessageBox MB_ICONSTOP "Zentrix is not recorded as installed in $INSTDIR, so this \
                uninstaller removes nothing there. Uninstall Zentrix from the list of \
                installed programs." /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}
FunctionEnd

; A file that stays, or a folder nothing may be removed from, ends the uninstaller with exit code
; 2 and leaves the entry, to try again.
Section "Uninstall"
    ; As for an install, the folder is looked at only once the game has ended, and held from then
    ; on. A folder no longer there leaves nothing to remove but the entry.
    !insertmacro WaitForTheGameToEnd "$INSTDIR"
    ${If} ${FileExists} "$INSTDIR\*.*"
        !insertmacro Hold $0 $INSTDIR 0
        ${If} $0 == ""
            !insertmacro WhyNotRemove $0 $INSTDIR
        ${EndIf}
        ${If} $0 != ""
            Call un.Release
            !insertmacro Refuse
        ${EndIf}
        !insertmacro RemoveGameFiles "$INSTDIR"
        ${If} ${Errors}
            Call un.Release
            StrCpy $0 "Some of Zentrix's files in $INSTDIR could not be removed, so it is still \
                    in the list of installed programs."
            !insertmacro Refuse
        ${EndIf}
        !insertmacro RemoveHeldFolder "$INSTDIR"
        Call un.Release
    ${EndIf}
    Delete "$SMPROGRAMS\Zentrix.lnk"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
