; SPDX-License-Identifier: MIT
; Nestora's installer for Windows, per user (no administrator rights):
; nestora.exe in %LOCALAPPDATA%\Programs\Nestora, a Start-menu entry, an
; uninstaller and its entry in Apps & features. The uninstaller removes all of
; it, the settings file beside the program and %APPDATA%\Nestora included.
; Built by scripts/build-windows:
;   makensis -DVERSION=1.0.0 -DEXE=nestora.exe -DICON=program.ico -DOUTFILE=setup.exe nestora.nsi
; nestora.exe is a 64-bit program, and so is its installer.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Nestora"

Name "Nestora"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\Nestora"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Nestora"
VIAddVersionKey "CompanyName" "Tobrel"
VIAddVersionKey "FileDescription" "Nestora installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "MIT licence"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Nestora"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "/oname=nestora.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Nestora.lnk" "$INSTDIR\nestora.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Nestora"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Tobrel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\nestora.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\Nestora.lnk"
  Delete "$INSTDIR\nestora.exe"
  Delete "$INSTDIR\nestora.fig"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; The folder of per-user programs, when this one made it and nothing else is in it.
  RMDir "$LOCALAPPDATA\Programs"
  Delete "$APPDATA\Nestora\nestora.fig"
  RMDir "$APPDATA\Nestora"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
