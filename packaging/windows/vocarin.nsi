; The Windows installer: a per-user installation without administrator rights.
; makensis -DVERSION=0.2 -DPROGRAM=<program folder> -DCOURSES=<course folder>
;          -DLICENSE=<GPL text> -DINSTALLED=<list> -DOUTFILE=<setup.exe> vocarin.nsi
; INSTALLED lists the program folder's files and folders for the uninstaller
; (Delete and RMDir lines, deepest first).
; (scripts/build-windows passes these.)
; A 64-bit installer for the 64-bit program; Wine without its 32-bit part runs it too.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh

!define NAME "Vocarin"
!define MENU_NAME "Vocarin 英単語リスニング"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vocarin"

Name "${MENU_NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${NAME}"
InstallDirRegKey HKCU "Software\${NAME}" "InstallDir"

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartVocarin
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "${NAME}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "${MENU_NAME} セットアップ"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "GNU General Public License 3"

Section "Vocarin"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File /r "${PROGRAM}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The courses go where the learner keeps files; a course of the same name
  ; already there (perhaps changed by the teacher) is left as it is.
  SetOverwrite off
  SetOutPath "$DOCUMENTS\${NAME}"
  File /r "${COURSES}\*.*"
  SetOverwrite on

  ; Vocarin looks for courses in the folder it starts in: the shortcut starts
  ; it in the courses' folder, which SetOutPath has just made the current one.
  CreateShortcut "$SMPROGRAMS\${MENU_NAME}.lnk" "$INSTDIR\vocarin.exe" "" "$INSTDIR\vocarin.exe" 0

  WriteRegStr HKCU "Software\${NAME}" "InstallDir" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${MENU_NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Vocarin developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vocarin.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function StartVocarin
  SetOutPath "$DOCUMENTS\${NAME}"
  Exec '"$INSTDIR\vocarin.exe"'
FunctionEnd

; Removes what the installer put there, file by file, so that a folder chosen
; by mistake (one holding other files) loses nothing else, and the shortcut;
; the courses in Documents stay: they may hold the teacher's own.
Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\${MENU_NAME}.lnk"
  !include "${INSTALLED}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\${NAME}"
SectionEnd
