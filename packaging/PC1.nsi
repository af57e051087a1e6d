; The PC1 installer: a 64-bit Unicode NSIS installer in Turkish and English, which puts PC1.exe, the settings program
; PC1Ayar.exe, the hall's console PC1Salon.exe, the sample Metin.rtf, the settings file PC1.ini and the supervisor's guides into Program Files, adds
; Start-menu shortcuts and registers an uninstaller.
; The supervisor's sequence is the installation's own: an interactive install runs PC1Ayar.exe at its end when none
; is set yet. /S installs silently and takes the sequence as /SIRA=<six different digits>; /D=<folder>, last and
; unquoted, picks another folder. A silent install ends with
;   0  installed, the sequence set
;   3  nothing installed: no /SIRA= given and no sequence set in the folder's PC1.ini
;   4  installed, but the sequence given was not six different digits or could not be written
; Uninstall.exe /S removes it silently; the settings (PC1.ini) stay unless asked for, by /AYARLARISIL or by answering
; the interactive uninstaller's question. A Metin.rtf other than the shipped sample stays, and so do the records and
; the exam journals: the uninstaller never touches %ProgramData%\PC1 nor the configured records folder.
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
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define NO_SEQUENCE_EXIT_CODE 3
!define SEQUENCE_REFUSED_EXIT_CODE 4

Var Sequence  ; /SIRA= of the command line, or empty

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
LangString SettingsComment ${LANG_ENGLISH} "The supervisor's sequence and the exam record's settings"
LangString SettingsComment ${LANG_TURKISH} "Denetim sırası ve tutanak ayarları"
LangString HallComment ${LANG_ENGLISH} "Every PC of the exam hall live, and the day's records in one ranked list"
LangString HallComment ${LANG_TURKISH} "Salondaki her bilgisayar ve günün tutanakları tek bir sıralı listede"
LangString SequenceRefused ${LANG_ENGLISH} "The supervisor's sequence could not be set. Set it with $\"PC1 Ayarları$\" before the first exam."
LangString SequenceRefused ${LANG_TURKISH} "Denetim sırası belirlenemedi. İlk sınavdan önce $\"PC1 Ayarları$\" ile belirleyin."
LangString RemoveSettings ${LANG_ENGLISH} "Remove the settings too (PC1.ini: the supervisor's sequence, the board's names, the printer)?"
LangString RemoveSettings ${LANG_TURKISH} "Ayarlar da silinsin mi (PC1.ini: denetim sırası, kurul adları, yazıcı)?"
LangString SampleKept ${LANG_ENGLISH} "Metin.rtf differs from the sample PC1 came with: kept in $INSTDIR"
LangString SampleKept ${LANG_TURKISH} "Metin.rtf PC1 ile gelen örnekten farklı: $INSTDIR içinde bırakıldı"

; A sequence is set when the folder's PC1.ini gives one; PC1 itself judges its form.
!macro ReadSequenceSetting result
    ReadINIStr ${result} "$INSTDIR\PC1.ini" "PC1" "DenetimSirasi"
!macroend

Function .onInit
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/SIRA=" $Sequence
    ${If} ${Errors}
        StrCpy $Sequence ""
    ${EndIf}
    ; A silent install must not leave an installation on which no exam can start.
    ${If} ${Silent}
    ${AndIf} $Sequence == ""
        !insertmacro ReadSequenceSetting $0
        ${If} $0 == ""
            SetErrorLevel ${NO_SEQUENCE_EXIT_CODE}
            Quit
        ${EndIf}
    ${EndIf}
FunctionEnd

Section "PC1"
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File "${STAGE}/PC1.exe"
    File "${STAGE}/PC1Ayar.exe"
    File "${STAGE}/PC1Salon.exe"
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
    CreateShortCut "$SMPROGRAMS\PC1 Ayarları.lnk" "$INSTDIR\PC1Ayar.exe" "" "$INSTDIR\PC1Ayar.exe" 0 SW_SHOWNORMAL "" \
        "$(SettingsComment)"
    CreateShortCut "$SMPROGRAMS\PC1 Salon.lnk" "$INSTDIR\PC1Salon.exe" "" "$INSTDIR\PC1Salon.exe" 0 SW_SHOWNORMAL "" \
        "$(HallComment)"

    ; PC1Ayar.exe hashes the sequence into PC1.ini; the digits themselves are written nowhere.
    ${If} $Sequence != ""
        ExecWait '"$INSTDIR\PC1Ayar.exe" /SIRA=$Sequence' $0
        ${If} $0 != 0
            SetErrorLevel ${SEQUENCE_REFUSED_EXIT_CODE}
            MessageBox MB_OK|MB_ICONEXCLAMATION "$(SequenceRefused)" /SD IDOK
        ${EndIf}
    ${ElseIfNot} ${Silent}
        !insertmacro ReadSequenceSetting $0
        ${If} $0 == ""
            ExecWait '"$INSTDIR\PC1Ayar.exe"'
        ${EndIf}
    ${EndIf}

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

; Pushes 1 when the two files (given on the stack: Push first, Push second) hold the same bytes, else 0; a file that
; cannot be read counts as different.
Function un.SameBytes
    Exch $R1
    Exch
    Exch $R0
    Push $R2
    Push $R3
    Push $R4
    Push $R5
    Push $R6
    StrCpy $R6 0
    ClearErrors
    FileOpen $R2 $R0 r
    FileOpen $R3 $R1 r
    ${IfNot} ${Errors}
        FileSeek $R2 0 END $R4
        FileSeek $R3 0 END $R5
        ${If} $R4 == $R5
            FileSeek $R2 0 SET
            FileSeek $R3 0 SET
            ClearErrors
            ; $R4 counts the bytes left: a read that fails, or differs, before the end leaves some.
            ${DoWhile} $R4 > 0
                FileReadByte $R2 $R5
                FileReadByte $R3 $R6
                ${If} ${Errors}
                ${OrIf} $R5 != $R6
                    ${ExitDo}
                ${EndIf}
                IntOp $R4 $R4 - 1
            ${Loop}
            ${If} $R4 == 0
                StrCpy $R6 1
            ${Else}
                StrCpy $R6 0
            ${EndIf}
        ${EndIf}
    ${EndIf}
    FileClose $R2
    FileClose $R3
    StrCpy $R0 $R6
    Pop $R6
    Pop $R5
    Pop $R4
    Pop $R3
    Pop $R2
    Exch
    Pop $R1
    Exch $R0
FunctionEnd

; Removes what the installer put there and the folder once it is empty. The sample text goes only as it was shipped,
; compared byte for byte with the copy the uninstaller carries: the supervisor's own text stays. The settings hold
; the installation's sequence, which a reinstall keeps using: they go only when asked for.
Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\PC1.lnk"
    Delete "$SMPROGRAMS\PC1 Ayarları.lnk"
    Delete "$SMPROGRAMS\PC1 Salon.lnk"
    SetRegView 64
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    Delete "$INSTDIR\PC1.exe"
    Delete "$INSTDIR\PC1Ayar.exe"
    Delete "$INSTDIR\PC1Salon.exe"
    ${If} ${FileExists} "$INSTDIR\Metin.rtf"
        InitPluginsDir
        File "/oname=$PLUGINSDIR\Metin.rtf" "${STAGE}/Metin.rtf"
        Push "$INSTDIR\Metin.rtf"
        Push "$PLUGINSDIR\Metin.rtf"
        Call un.SameBytes
        Pop $0
        ${If} $0 == 1
            Delete "$INSTDIR\Metin.rtf"
        ${Else}
            DetailPrint "$(SampleKept)"
        ${EndIf}
    ${EndIf}
    ${un.GetParameters} $R0
    ClearErrors
    ${un.GetOptions} $R0 "/AYARLARISIL" $R1
    ${IfNot} ${Errors}
        Delete "$INSTDIR\PC1.ini"
    ${ElseIf} ${Cmd} `MessageBox MB_YESNO|MB_ICONQUESTION "$(RemoveSettings)" /SD IDNO IDYES`
        Delete "$INSTDIR\PC1.ini"
    ${EndIf}
    Delete "$INSTDIR\KILAVUZ.txt"
    Delete "$INSTDIR\GUIDE.txt"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
SectionEnd
