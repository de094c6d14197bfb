; The Windows installer, compiled by Debian's makensis from packaging/windows.sh, which defines
;   VERSION   the project's version
;   STAGE     the folder `cmake --install` laid the program out in
;   FILES     the include with the File lines of that folder, UNFILES the one with its Delete lines
;   SIZE_KB   the installed size, for Apps & Features
;   ICON      the program's icon, for the setup program and the uninstaller
;   OUTFILE   the setup program to write
; A 64-bit installer, for the 64-bit program, and runnable by a 64-bit-only Wine.
Target amd64-unicode
!include "MUI2.nsh"

!define PRODUCT "KA Image Viewer"
!define PUBLISHER "KA Image Viewer developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\kaviewer"
; The program keeps kalocfg.ini in its working folder, which must be writable for the user: the
; shortcuts start it here, not in Program Files.
!define WORKDIR "$APPDATA\${PRODUCT}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
BrandingText "${PRODUCT} ${VERSION}"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) 2025-2026 ${PUBLISHER}"

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Function StartProgram
  SetOutPath "${WORKDIR}"
  Exec '"$INSTDIR\kaviewer.exe"'
FunctionEnd

Section "${PRODUCT}" SectionProgram
  SectionIn RO
  !include "${FILES}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; Shortcuts and the working folder belong to the user who installs.
  SetShellVarContext current
  CreateDirectory "${WORKDIR}"
  SetOutPath "${WORKDIR}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\kaviewer.exe" "" "$INSTDIR\kaviewer.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kaviewer.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section /o "Desktop shortcut" SectionDesktop
  SetShellVarContext current
  SetOutPath "${WORKDIR}"
  CreateShortCut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\kaviewer.exe" "" "$INSTDIR\kaviewer.exe" 0
SectionEnd

Section "Uninstall"
  !include "${UNFILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  SetShellVarContext current
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  ; Only when empty: the user's language choice stays.
  RMDir "${WORKDIR}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
