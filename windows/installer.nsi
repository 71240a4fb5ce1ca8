; Quillet's installer for Windows 10 and 11 (x86-64). It installs for the user
; alone (no administrator needed) or for all users (then, and only then, it
; asks Windows for an administrator's rights), puts the program, its licences
; and a Start menu entry in place, and registers the uninstaller under Apps.
; An install already there, for either, is found and replaced in place.
; Silently, /S installs for all users when already run as an administrator and
; for the user otherwise; /CurrentUser and /AllUsers choose.
;   makensis -DVERSION=<version> -DPROGRAM=quillet.exe -DICON=quillet.ico -DPANEL=panel.bmp
;            -DLICENSES=folder -DOUTFILE=setup.exe -DDESCRIBED=described.nsh windows/installer.nsi
; (described.nsh, which the Windows build makes: Quillet's name, description,
; developers and copyright.)

!include "${DESCRIBED}"

; A 64-bit installer, as the program is: it runs where the program runs.
Target amd64-unicode
SetCompressor /SOLID lzma
; The files it puts in place carry the time they were installed, not the time
; of the build: two builds of one commit give the same installer.
SetDateSave off
Name "${NAME}"
BrandingText "${NAME} ${VERSION}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
RequestExecutionLevel user
ManifestSupportedOS Win10
ManifestDPIAware true
ManifestDPIAwareness "PerMonitorV2,System"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${NAME}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${NAME} ${VERSION} setup"
VIAddVersionKey "CompanyName" "${DEVELOPERS}"
VIAddVersionKey "LegalCopyright" "${COPYRIGHT}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\org.quillet.quillet"
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh

Var Mode        ; AllUsers or CurrentUser
Var ModeGiven   ; 1 when the command line chose it
Var Found       ; the mode of an install already there, or empty
Var ForMe       ; the mode page's two choices
Var ForAll

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${PANEL}"
!insertmacro MUI_PAGE_LICENSE "${LICENSES}\LICENSE.txt"
Page custom ModePage ModePageLeave
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenFound
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\quillet.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The same helpers for the installer and for the uninstaller (whose functions
; carry the prefix "un.").
!macro Helpers un
  ; The shell's folders and the registry hive of $Mode.
  Function ${un}UseMode
    ${If} $Mode == AllUsers
      SetShellVarContext all
    ${Else}
      SetShellVarContext current
    ${EndIf}
  FunctionEnd

  ; For all users, an administrator's rights: where they are missing, this
  ; runs again, elevated, with the same command line, and ends once that run
  ; is over. Returns with $R9 "refused" when Windows (or the user) refused,
  ; empty otherwise.
  Function ${un}Elevate
    StrCpy $R9 ""
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 == Admin
    ${OrIf} $Mode != AllUsers
      Return
    ${EndIf}
    ${GetParameters} $0
    ClearErrors
    ExecShellWait "runas" "$EXEPATH" "/AllUsers $0"
    ${IfNot} ${Errors}
      Quit
    ${EndIf}
    MessageBox MB_OK|MB_ICONSTOP "${NAME} for all users needs an administrator's permission." /SD IDOK
    StrCpy $R9 refused
  FunctionEnd
!macroend
!insertmacro Helpers ""
!insertmacro Helpers "un."

Function .onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $R1
  ${IfNot} ${Errors}
    StrCpy $Mode AllUsers
    StrCpy $ModeGiven 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/CurrentUser" $R1
  ${IfNot} ${Errors}
    StrCpy $Mode CurrentUser
    StrCpy $ModeGiven 1
  ${EndIf}
  ${If} $ModeGiven != 1
    UserInfo::GetAccountType
    Pop $R1
    StrCpy $Mode CurrentUser
    ${If} $R1 == Admin
      StrCpy $Mode AllUsers
    ${EndIf}
  ${EndIf}

  ; An install already there is replaced where it is, for whom it was made.
  ReadRegStr $R2 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $R3 HKCU "${UNINSTALL_KEY}" "DisplayVersion"
  StrCpy $R4 "for you"
  StrCpy $Found CurrentUser
  ${If} $R2 == ""
    ReadRegStr $R2 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $R3 HKLM "${UNINSTALL_KEY}" "DisplayVersion"
    StrCpy $R4 "for all users"
    StrCpy $Found AllUsers
  ${EndIf}
  ${If} $R2 == ""
    StrCpy $Found ""
  ${Else}
    MessageBox MB_OKCANCEL|MB_ICONQUESTION "${NAME} $R3 is installed $R4, in $R2.$\n$\nReplace it with ${NAME} ${VERSION}?" \
      /SD IDOK IDOK +2
      Abort
    StrCpy $Mode $Found
  ${EndIf}

  Call UseMode
  Call DefaultFolder
  ${If} $Found != ""
    StrCpy $INSTDIR $R2
  ${EndIf}
  ${If} $Found != ""
  ${OrIf} $ModeGiven == 1
    Call Elevate
    StrCmp $R9 refused 0 +2
      Abort
  ${EndIf}
FunctionEnd

; Where a new install goes: for all users in Program Files, for one in their
; own programs folder.
Function DefaultFolder
  ${If} $Mode == AllUsers
    StrCpy $INSTDIR "$PROGRAMFILES64\${NAME}"
  ${Else}
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${NAME}"
  ${EndIf}
FunctionEnd

; For whom: asked unless the command line or an install already there says.
Function ModePage
  ${If} $Found != ""
  ${OrIf} $ModeGiven == 1
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "Choose Users" "Choose for whom to install ${NAME}."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 20u "${NAME} can be installed for you alone, or for anyone who uses this computer."
  Pop $0
  ${NSD_CreateRadioButton} 10u 30u -10u 12u "Only for &me (no administrator's permission needed)"
  Pop $ForMe
  ${NSD_CreateRadioButton} 10u 48u -10u 12u "For &anyone who uses this computer (asks for an administrator's permission)"
  Pop $ForAll
  ${If} $Mode == AllUsers
    ${NSD_Check} $ForAll
  ${Else}
    ${NSD_Check} $ForMe
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function ModePageLeave
  ${NSD_GetState} $ForAll $0
  StrCpy $Mode CurrentUser
  ${If} $0 == ${BST_CHECKED}
    StrCpy $Mode AllUsers
  ${EndIf}
  Call UseMode
  Call DefaultFolder
  Call Elevate
  StrCmp $R9 refused 0 +2
    Abort
FunctionEnd

Function SkipWhenFound
  StrCmp $Found "" +2
    Abort
FunctionEnd

; The uninstaller finds for whom Quillet was installed from where it lies: the
; folder one of the two uninstall keys names.
Function un.onInit
  StrCpy $Mode CurrentUser
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != $INSTDIR
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
      StrCpy $Mode AllUsers
    ${EndIf}
  ${EndIf}
  Call un.UseMode
  Call un.Elevate
  StrCmp $R9 refused 0 +2
    Abort
FunctionEnd

Section "${NAME}"
  SetOutPath "$INSTDIR"
  File "/oname=quillet.exe" "${PROGRAM}"
  SetOutPath "$INSTDIR\licenses"
  File "${LICENSES}\*.txt"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\quillet.exe" "" "$INSTDIR\quillet.exe" 0 \
    SW_SHOWNORMAL "" "${ABOUT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${DEVELOPERS}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quillet.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ; The size Apps shows, in KiB.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\quillet.exe"
  Delete "$INSTDIR\licenses\*.txt"
  RMDir "$INSTDIR\licenses"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; (Per user, the folder of the user's programs, if the installer made it and
  ; it is empty now.)
  StrCmp $Mode "CurrentUser" 0 +2
    RMDir "$LOCALAPPDATA\Programs"
  Delete "$SMPROGRAMS\${NAME}.lnk"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
