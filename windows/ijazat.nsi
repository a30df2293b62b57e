; The Windows installer of ijazat, made by scripts/windows-package with Debian's NSIS:
;   makensis -INPUTCHARSET UTF8 -DVERSION=... -DSTAGE=folder -DOUTFILE=file ijazat.nsi
; STAGE holds everything the programs need, laid out as they are installed. The installer is
; itself a 64-bit program, as the programs are. /S installs without a question, for offices
; that put the program on many PCs.
; The book is never the installer's: it is made by the program's first run, and the
; uninstaller removes the programs only, never a book, a backup or an archive.
Target amd64-unicode
SetCompressor /SOLID lzma
!include MUI2.nsh

Name "الإجازات"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\ijazat"
InstallDirRegKey HKLM "Software\ijazat" "InstallDir"
RequestExecutionLevel admin
BrandingText "ijazat ${VERSION}"

!define MUI_ICON "${STAGE}\ijazat.ico"
!define MUI_UNICON "${STAGE}\ijazat.ico"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Arabic"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ijazat"

Section "ijazat"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\الإجازات.lnk" "$INSTDIR\ijazat.exe" "" "$INSTDIR\ijazat.ico"
  WriteRegStr HKLM "Software\ijazat" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "الإجازات"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\ijazat.ico"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\الإجازات.lnk"
  ; Only what the installer put there: the folder's own list, so nothing of the clerk's goes.
  !include "${STAGE}.uninstall.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "Software\ijazat"
SectionEnd
