; The installer of Velmora, in Simplified Chinese: a per-machine install into
; Program Files\Velmora with a Start-menu shortcut, an optional desktop shortcut and an entry in
; "Apps and features"; /S installs and uninstalls silently. The uninstaller removes what the
; installer put there and nothing else: the user's Data and documents live in the documents
; folder and stay. scripts/package-windows.sh defines VERSION, VERSION_FOUR, PUBLISHER,
; COPYRIGHT, STAGE (the folder with the files), ICON and OUTFILE.
Unicode true
; The program is 64-bit only: a 64-bit installer writes the 64-bit registry and Program Files.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma
; No file times in the archive: the same files give the same installer.
SetDateSave off

!include MUI2.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora"
!define UNINSTALLER "uninstall.exe"

Name "Velmora ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Velmora"
BrandingText "Velmora ${VERSION}"

VIProductVersion "${VERSION_FOUR}"
VIFileVersion "${VERSION_FOUR}"
VIAddVersionKey /LANG=2052 "ProductName" "Velmora"
VIAddVersionKey /LANG=2052 "FileDescription" "Velmora 安装程序"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION_FOUR}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "OriginalFilename" "velmora-${VERSION}-setup.exe"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; No "run now" box: started from the elevated installer, the program could write its Data
; under Program Files instead of the user's documents folder.
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

Function .onInit
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

Section "Velmora 程序（必需）" SectionProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${STAGE}\velmora.exe"
  File "${STAGE}\velmora-script.exe"
  File "${STAGE}\说明.txt"
  File "${STAGE}\许可.txt"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\Velmora.lnk" "$INSTDIR\velmora.exe" "" "$INSTDIR\velmora.exe" 0 \
    SW_SHOWNORMAL "" "Velmora 文档拼装工具"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Velmora"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velmora.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "桌面快捷方式" SectionDesktop
  CreateShortcut "$DESKTOP\Velmora.lnk" "$INSTDIR\velmora.exe" "" "$INSTDIR\velmora.exe" 0 \
    SW_SHOWNORMAL "" "Velmora 文档拼装工具"
SectionEnd

; Only the installed files, one by one: a Data folder that a program run with administrator
; rights left in $INSTDIR is the user's, and keeps the folder.
Section "Uninstall"
  Delete "$SMPROGRAMS\Velmora.lnk"
  Delete "$DESKTOP\Velmora.lnk"
  Delete "$INSTDIR\velmora.exe"
  Delete "$INSTDIR\velmora-script.exe"
  Delete "$INSTDIR\说明.txt"
  Delete "$INSTDIR\许可.txt"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
