; The per-user installer of 岚枫禾无线按钮扩展 (NSIS 3, Unicode, 64-bit). Built by the build's
; lanfhe_release target, which passes VERSION, PROGRAM_EXE, GUIDE, ICON and OUTFILE.
Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define PRODUCT "岚枫禾无线按钮扩展"
!define PUBLISHER "lanfhe"
!define EXE "${PRODUCT}.exe"
!define GUIDE_NAME "使用说明.txt"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\lanfhe"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "Copyright © 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!define MUI_FINISHPAGE_RUN_TEXT "立即启动 ${PRODUCT}"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\${GUIDE_NAME}"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

; Asks every running copy to end ("/exit" waits up to 5 seconds) and stops when one still runs: its
; file could not be replaced or removed.
!macro EndRunningCopy PROGRAM
  ClearErrors
  ExecWait '"${PROGRAM}" /exit' $0
  ${If} ${Errors}
  ${OrIf} $0 != 0
    MessageBox MB_ICONSTOP "${PRODUCT} 仍在运行，无法结束它。请先从通知区域图标的菜单中“退出”，再重试。" /SD IDOK
    Abort
  ${EndIf}
!macroend

Section "Install"
  SetShellVarContext current
  ; The new program asks: it also ends a copy started from elsewhere (a portable one).
  InitPluginsDir
  File "/oname=$PLUGINSDIR\${EXE}" "${PROGRAM_EXE}"
  !insertmacro EndRunningCopy "$PLUGINSDIR\${EXE}"

  SetOutPath "$INSTDIR"
  File "/oname=${EXE}" "${PROGRAM_EXE}"
  File "/oname=${GUIDE_NAME}" "${GUIDE}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0

  ; The settings (HKCU\Software\lanfhe) and the start at log-on are the user's: left as they are.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  ${If} ${FileExists} "$INSTDIR\${EXE}"
    !insertmacro EndRunningCopy "$INSTDIR\${EXE}"
  ${EndIf}

  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\${GUIDE_NAME}"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"

  DeleteRegValue HKCU "${RUN_KEY}" "an"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
