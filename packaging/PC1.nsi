; The PC1 installer: a 64-bit Unicode NSIS installer in Turkish and English, which puts PC1.exe, the sample
; Metin.rtf and the supervisor's guides into Program Files, adds a Start-menu shortcut and registers an uninstaller.
; /S installs silently (/D=<folder>, last and unquoted, picks another folder); Uninstall.exe /S removes it silently.
;
; Built by the `release` target (cmake/Release.cmake), which passes VERSION, STAGE (the folder holding the four
; files) and OUTFILE, and reads this file as UTF-8:
;   makensis -INPUTCHARSET UTF8 -DVERSION=0.1.0 -DSTAGE=<folder> -DOUTFILE=<setup.exe> PC1.nsi

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\PC1"

Name "PC1 ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\PC1"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "PC1 ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "PC1"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "PC1 ${VERSION} Setup"
VIAddVersionKey /LANG=0 "LegalCopyright" ""

!include "MUI2.nsh"

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\$(GuideFile)"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "$(ShowGuide)"
!define MUI_FINISHPAGE_NOREBOOTSUPPORT

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The installer speaks the language of Windows' user interface: Turkish on a Turkish Windows, English elsewhere
; (the first language is the fallback).
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Turkish"

LangString GuideFile ${LANG_ENGLISH} "GUIDE.txt"
LangString GuideFile ${LANG_TURKISH} "KILAVUZ.txt"
LangString ShowGuide ${LANG_ENGLISH} "Show the supervisor's guide"
LangString ShowGuide ${LANG_TURKISH} "Gözetmen kılavuzunu göster"
LangString ShortcutComment ${LANG_ENGLISH} "Typing examination"
LangString ShortcutComment ${LANG_TURKISH} "Klavye yazım sınavı"

Section "PC1"
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File "${STAGE}/PC1.exe"
    File "${STAGE}/KILAVUZ.txt"
    File "${STAGE}/GUIDE.txt"
    ; The supervisor may have put the exam's own text in place of the sample, and set the installation's
    ; settings: an update keeps both.
    SetOverwrite off
    File "${STAGE}/Metin.rtf"
    File "${STAGE}/PC1.ini"
    SetOverwrite on
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    ; The shortcut starts PC1 in its own folder (the current output path), where it finds Metin.rtf.
    CreateShortCut "$SMPROGRAMS\PC1.lnk" "$INSTDIR\PC1.exe" "" "$INSTDIR\PC1.exe" 0 SW_SHOWNORMAL "" "$(ShortcutComment)"

    SetRegView 64
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "PC1"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\PC1.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    SectionGetSize 0 $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes what the installer put there, the sample text included, and the folder once it is empty.
Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\PC1.lnk"
    SetRegView 64
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    Delete "$INSTDIR\PC1.exe"
    Delete "$INSTDIR\Metin.rtf"
    Delete "$INSTDIR\PC1.ini"
    Delete "$INSTDIR\KILAVUZ.txt"
    Delete "$INSTDIR\GUIDE.txt"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
SectionEnd
