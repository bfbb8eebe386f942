; The Windows setup program: installs Tallyra per machine into Program Files, with a
; Start-menu folder, a desktop shortcut and an uninstaller. The tables are never put here:
; an installed program keeps them in each user's %APPDATA%\Tallyra\bsf, which neither an
; upgrade nor the uninstaller touches.
;
; Built by scripts/build-windows.sh:
;   makensis -DVERSION=5.0.0 -DSTAGE=<unpacked program> -DICON=<tallyra.ico> -DOUTFILE=<exe>

; A 64-bit setup program, like the program it installs (and one Wine's 64-bit loader runs).
Target amd64-unicode
!include "MUI2.nsh"
!include "FileFunc.nsh"

!ifndef VERSION | STAGE | ICON | OUTFILE
  !error "VERSION, STAGE, ICON and OUTFILE must be defined"
!endif

!define PRODUCT "Tallyra 票据套打系统"
!define PUBLISHER "Tallyra 软件"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallyra"
!define SHORTCUT "Tallyra 票据套打系统.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tallyra"
; An upgrade goes where the older version is.
InstallDirRegKey HKLM "Software\Tallyra" "InstallDir"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "版权所有 © 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
; The welcome and finish pages' picture (makensis reads files from the script's folder).
!define MUI_WELCOMEFINISHPAGE_BITMAP "wizard.bmp"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "wizard.bmp"
!define MUI_ABORTWARNING
; No "start the program" box on the finish page: started from here it would run as the
; administrator who installed it, and set up its tables in that account's folder.
!define MUI_UNFINISHPAGE_NOAUTOCLOSE

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_UNPAGE_FINISH
!insertmacro MUI_LANGUAGE "SimpChinese"

Section "Tallyra"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  ; An older version's manual pages and plugins are replaced, not mixed with the new ones.
  RMDir /r "$INSTDIR\help"
  RMDir /r "$INSTDIR\platforms"
  RMDir /r "$INSTDIR\styles"
  RMDir /r "$INSTDIR\imageformats"
  RMDir /r "$INSTDIR\printsupport"
  RMDir /r "$INSTDIR\translations"
  ; The zip's empty bsf folder would make this a portable install with its tables in
  ; Program Files: it is left out.
  File /r /x bsf "${STAGE}\*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\Tallyra"
  CreateShortcut "$SMPROGRAMS\Tallyra\${SHORTCUT}" "$INSTDIR\tallyra.exe" "" "$INSTDIR\tallyra.exe" 0
  CreateShortcut "$SMPROGRAMS\Tallyra\使用说明.lnk" "$INSTDIR\help.chm"
  CreateShortcut "$SMPROGRAMS\Tallyra\卸载 Tallyra.lnk" "$INSTDIR\uninstall.exe" "" "$INSTDIR\tallyra.exe" 0
  CreateShortcut "$DESKTOP\${SHORTCUT}" "$INSTDIR\tallyra.exe" "" "$INSTDIR\tallyra.exe" 0

  WriteRegStr HKLM "Software\Tallyra" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\tallyra.exe,0"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  ; Only the program's own files: a folder holding anything else (a bsf folder of a
  ; portable set-up, say) stays.
  Delete "$INSTDIR\tallyra.exe"
  Delete "$INSTDIR\*.dll"
  Delete "$INSTDIR\help.chm"
  RMDir /r "$INSTDIR\help"
  RMDir /r "$INSTDIR\platforms"
  RMDir /r "$INSTDIR\styles"
  RMDir /r "$INSTDIR\imageformats"
  RMDir /r "$INSTDIR\printsupport"
  RMDir /r "$INSTDIR\translations"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Tallyra\${SHORTCUT}"
  Delete "$SMPROGRAMS\Tallyra\使用说明.lnk"
  Delete "$SMPROGRAMS\Tallyra\卸载 Tallyra.lnk"
  RMDir "$SMPROGRAMS\Tallyra"
  Delete "$DESKTOP\${SHORTCUT}"

  DeleteRegKey HKLM "${UNINST_KEY}"
  DeleteRegKey HKLM "Software\Tallyra"
  MessageBox MB_OK|MB_ICONINFORMATION "${PRODUCT} 已卸载。$\r$\n$\r$\n票据数据没有删除：每位用户的各表文件仍保存在 %APPDATA%\Tallyra\bsf 文件夹中，重新安装后可以继续使用。" /SD IDOK
SectionEnd
