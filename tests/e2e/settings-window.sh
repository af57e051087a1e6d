#!/usr/bin/env bash
# The settings program's window with a spooler running: its printer list holds the spooler's PDF queue, and the
# sample record printed on that queue comes back from the PDF with the board's names and the sample's Turkish
# letters. Then the window at 1024 x 768 (96 dpi) and 1920 x 1080 (144 dpi), with a records folder that passes its
# check and with one that fails it, as screenshots in the build tree (settings-window/) for a person to look at.
# On X servers and a wine server of its own, as the screen tests run.
# Usage: settings-window.sh WINDOWS_BUILD_TREE. Starts a spooler when none runs (root only); exits 77 (skipped) without.
set -euo pipefail
source "$(dirname "$0")/screen-servers.sh"
use_windows_build "$1"
SHOTS=$WINDOWS_BUILD/settings-window

# Listed on a thread of its own, the spooler's library loaded by name: imported, a stopped spooler would hold up the
# window's start for minutes.
if x86_64-w64-mingw32-objdump -p "$BIN/PC1Ayar.exe" | grep -qi 'DLL Name: winspool'; then
    fail "PC1Ayar.exe imports winspool.drv"
fi
on_exit stop_spooler
start_spooler || exit 77
WORK=$(mktemp -d "${TMPDIR:-/tmp}/pc1-settings.XXXXXX")
on_exit 'rm -rf "$WORK"'
SETTINGS_PID=
on_exit stop_settings

stop_settings() {
    [ -n "$SETTINGS_PID" ] || return 0
    kill -9 "$SETTINGS_PID" 2>/dev/null || true
    wait "$SETTINGS_PID" 2>/dev/null || true
    SETTINGS_PID=
}

open_settings() {
    prepare_program "$WORK/PC1.ini"
    (cd "$RUN_DIR" && exec "${WINE_ENV[@]}" wine PC1Ayar.exe) &
    SETTINGS_PID=$!
    inspect wait TAyarForm 60 || fail "no settings window"
}

start_settings() {
    open_settings
    wait_until 30 "the PDF queue in the printer list" list_holds PDF || fail "printers listed: $(inspect items TAyarForm.Yazici)"
}

folder_dialog_gone() { ! xdotool search --onlyvisible --name 'Tutanak klas'; }
list_holds() { inspect items TAyarForm.Yazici | tr -d '\r' | grep -qx "$1"; }

# The folder typed over the field's text, then the field left, which checks it.
type_folder() {  # folder
    click TAyarForm.TutanakKlasoru
    xdotool key End shift+Home Delete
    xdotool type --delay 40 "$1"
    xdotool key Tab
    sleep 1
}

printf '\xEF\xBB\xBF[PC1]\r\nKurulBaskani=Ay\xC5\x9Fe \xC3\x87\xC4\xB1nar\r\nUye1=\xC4\xB0smail\r\nUye2=\xC3\x96zlem\r\n' \
    >"$WORK/PC1.ini"
ensure_turkish_locale
start_x Xvfb -screen 0 1024x768x24
use_screens_prefix
use_dpi 96
start_settings
expect_eq "the list's fixed choices" "$(inspect items TAyarForm.Yazici | tr -d '\r' | head -n2 | paste -sd '|')" \
    "Windows'un varsayılan yazıcısı|Yazdırma"

# The PDF queue chosen by its first letter, and the sample printed on it.
click TAyarForm.Yazici
xdotool key P Return
expect_eq "the printer chosen" "$(inspect text TAyarForm.Yazici)" PDF
touch "$WORK/before"
click TAyarForm.OrnekYazdir
pdf=$(wait_for_pdf "$WORK/before" 60) || { shoot sample-not-printed; fail "no sample record from the PDF queue"; }
pdftotext -layout "$pdf" "$WORK/sample.txt"
for shown in "Adı : ÖRNEK" "Soyadı : TUTANAK" "ÇİĞŞÖÜ çığşöü" "Ayşe Çınar" "İsmail" "Özlem"; do
    grep -qF "$shown" "$WORK/sample.txt" || fail "the sample record lacks '$shown': $(cat "$WORK/sample.txt")"
done
type_folder '\\yok\pay'
shoot_small 1024x768-folder-failed

# A folder chosen with the system's folder dialog, its path typed into the dialog's name field.
mkdir -p "$WINEPREFIX/drive_c/PC1-tutanak"
on_exit 'rm -rf "$WINEPREFIX/drive_c/PC1-tutanak"'
click TAyarForm.KlasorSec
wait_until 20 "the folder dialog" xdotool search --onlyvisible --name 'Tutanak klas' || fail "no folder dialog"
xdotool type --delay 40 'C:\PC1-tutanak'
xdotool key Return
wait_until 10 "the folder dialog to close" folder_dialog_gone || { shoot folder-dialog-stayed; fail "the folder dialog stayed"; }
expect_eq "the folder chosen" "$(inspect text TAyarForm.TutanakKlasoru)" 'C:\PC1-tutanak'

# A share typed into the field (Wine's folder dialogs take no typed share): the server is a folder of this
# script's, linked where Wine looks for \\server, since Wine has no network client.
mkdir -p "$WORK/sunucu/pay/Tutanaklar" "$WINEPREFIX/dosdevices/unc"
ln -sfn "$WORK/sunucu" "$WINEPREFIX/dosdevices/unc/sunucu"
on_exit 'rm -f "$WINEPREFIX/dosdevices/unc/sunucu"'
type_folder '\\sunucu\pay\Tutanaklar'
shoot_small 1024x768-folder-usable

# Saved: the printer by its name, the share as chosen.
click TAyarForm.Kaydet
wait_until 20 "the settings program to end after saving" process_ended "$SETTINGS_PID" || fail "not saved"
code=0
wait "$SETTINGS_PID" || code=$?
SETTINGS_PID=
expect_eq "exit code after saving" "$code" 0
grep -qx 'Yazici=PDF' <(tr -d '\r' <"$RUN_DIR/PC1.ini") || fail "no printer saved: $(cat "$RUN_DIR/PC1.ini")"
grep -qxF 'TutanakKlasoru=\\sunucu\pay\Tutanaklar' <(tr -d '\r' <"$RUN_DIR/PC1.ini") ||
    fail "no records folder saved: $(cat "$RUN_DIR/PC1.ini")"
stop_program

# The spooler held shut, as a frozen one holds the loading of its library: the window shows and ends at once all the
# same, its list offering the two fixed choices meanwhile.
start_spooler_gate
on_exit stop_spooler_gate
hold_spooler
open_settings
sleep 3  # an answering spooler is listed within a second
expect_eq "choices while the spooler is held" "$(inspect items TAyarForm.Yazici | tr -d '\r' | wc -l)" 2
click TAyarForm.Vazgec
wait_until 10 "the settings program to end with the spooler held" process_ended "$SETTINGS_PID" ||
    fail "the settings program waited for the held spooler"
code=0
wait "$SETTINGS_PID" || code=$?
SETTINGS_PID=
expect_eq "exit code of the settings cancelled with the spooler held" "$code" 1
release_spooler
stop_x

start_x Xvfb -screen 0 1920x1080x24
use_dpi 144
start_settings
type_folder '\\yok\pay'
shoot_small 1920x1080-144dpi-folder-failed
stop_settings
stop_x
echo "screenshots in $SHOTS"
