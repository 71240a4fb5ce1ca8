; Quillet's installer for Windows 10 and 11 (x86-64). It asks whether to
; install for the user alone or for all users (silently, /S installs for all
; users where it may and for the user otherwise; /CurrentUser and /AllUsers
; choose), puts the program, its licences and a Start menu entry in place,
; and registers the uninstaller under Apps.
;   makensis -DVERSION=1.0.0 -DPROGRAM=quillet.exe -DICON=quillet.ico
;            -DLICENSES=folder -DOUTFILE=setup.exe windows/installer.nsi

; A 64-bit installer, as the program is: it runs where the program runs.
Target amd64-unicode
SetCompressor /SOLID lzma
Name "Quillet"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
RequestExecutionLevel user
ManifestSupportedOS Win10
ManifestDPIAware true
ManifestDPIAwareness "PerMonitorV2,System"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Quillet"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Quillet ${VERSION} setup"
VIAddVersionKey "CompanyName" "The Quillet developers"
VIAddVersionKey "LegalCopyright" "Copyright (c) 2026 The Quillet developers. MIT License; Qt under the LGPL-3.0."

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\org.quillet.quillet"
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "Quillet"
!include MultiUser.nsh
!include MUI2.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_LICENSE "${LICENSES}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\quillet.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Quillet"
  SetOutPath "$INSTDIR"
  File "/oname=quillet.exe" "${PROGRAM}"
  SetOutPath "$INSTDIR\licenses"
  File "${LICENSES}\*.txt"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Quillet.lnk" "$INSTDIR\quillet.exe" "" "$INSTDIR\quillet.exe" 0 \
    SW_SHOWNORMAL "" "Draw the nearest-site diagram of a random set of points"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Quillet"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "The Quillet developers"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quillet.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\quillet.exe"
  Delete "$INSTDIR\licenses\*.txt"
  RMDir "$INSTDIR\licenses"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; (Per user, the folder of the user's programs, if the installer made it and
  ; it is empty now.)
  StrCmp $MultiUser.InstallMode "CurrentUser" 0 +2
    RMDir "$LOCALAPPDATA\Programs"
  Delete "$SMPROGRAMS\Quillet.lnk"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
