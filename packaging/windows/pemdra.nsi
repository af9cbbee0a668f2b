; SPDX-License-Identifier: MIT
; pemdra's installer: one user, no administrator rights, 64-bit or 32-bit. It puts pemdra.exe, the
; licence and the read-me into %LOCALAPPDATA%\Programs\pemdra, a Start-menu shortcut into
; the user's own Start menu and one entry under HKCU's Uninstall key, so that "Apps" lists
; it and `uninstall.exe /S` removes it again. An install over an earlier one goes into its
; folder and rewrites the same entry; one told another folder removes the earlier one first.
; The 64-bit installer's stub is 64-bit, so 32-bit Windows refuses to start it at all; the
; 32-bit one runs on either. Both keep the same entry, so one replaces the other.
;
; packaging/windows/make-packages runs makensis on it with these defines:
;   VERSION   the version shown to the user (1.00)
;   VERSION_QUAD  the same as Windows' version records want it (1.0.0.0)
;   STAGE     the folder holding pemdra.exe, LICENSE.txt and README.txt
;   ICON      pemdra.ico
;   OUTFILE   the installer to write
;   TARGET    amd64-unicode (x64) or x86-unicode (x86), the stub and pemdra.exe's kind
;   SIGN      (optional) a command that signs the file given as %1 in place

Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
ManifestSupportedOS all

!include MUI2.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\pemdra"
!define PUBLISHER "the pemdra authors"

Name "pemdra ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\pemdra"
; An earlier install, wherever it went, is the one this install replaces.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "pemdra ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

!ifdef SIGN
  !finalize '${SIGN} "%1"' = 0
  !uninstfinalize '${SIGN} "%1"' = 0
!endif

VIProductVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=1033 "ProductName" "pemdra"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "pemdra ${VERSION} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 the pemdra authors, MIT licence"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\pemdra.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The user's own language where it is one of these, English otherwise.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Greek"

LangString running ${LANG_ENGLISH} "pemdra is open. Close it, then press OK."
LangString running ${LANG_GREEK} "Το pemdra είναι ανοιχτό. Κλείστε το και πατήστε OK."

; A running pemdra.exe could not be replaced or removed: wait for the user to close it.
; Silent, there is no one to ask, so the run ends with an error (exit code 2) and changes
; nothing.
!macro WaitForPemdraClosed
  ${Do}
    FindWindow $0 "pemdra"
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    MessageBox MB_OKCANCEL|MB_ICONEXCLAMATION "$(running)" /SD IDCANCEL IDOK +2
    Abort
  ${Loop}
!macroend

Function .onInit
  SetShellVarContext current
  !insertmacro WaitForPemdraClosed
FunctionEnd

Function un.onInit
  SetShellVarContext current
  !insertmacro WaitForPemdraClosed
FunctionEnd

Section "pemdra"
  ; An earlier install in another folder goes first, so that one copy and one entry remain.
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} $0 != $INSTDIR
  ${AndIf} ${FileExists} "$0\uninstall.exe"
    ExecWait '"$0\uninstall.exe" /S _?=$0'
    Delete "$0\uninstall.exe"
    RMDir "$0"
  ${EndIf}

  SetOutPath "$INSTDIR"
  File "${STAGE}\pemdra.exe"
  File "${STAGE}\LICENSE.txt"
  File "${STAGE}\README.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\pemdra.lnk" "$INSTDIR\pemdra.exe" "" "$INSTDIR\pemdra.exe" 0 \
                 SW_SHOWNORMAL "" "Angle converter: decimal degrees to DMS, radians and grads"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "pemdra"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\pemdra.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Only what the installer put there goes: a folder the user chose keeps anything else in it.
Section "Uninstall"
  Delete "$SMPROGRAMS\pemdra.lnk"
  Delete "$INSTDIR\pemdra.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
