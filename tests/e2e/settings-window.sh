#!/usr/bin/env bash
# The settings program's window with a spooler running: its list holds the script's PDF queue; the sample record
# printed there comes back from the PDF; a folder chosen with the system's dialog, a share typed, saved with the
# printer; with the spooler held, the window still shows and ends at once. Screenshots at 1024 x 768 (96 dpi) and
# 1920 x 1080 (144 dpi) go to the build tree (settings-window/), on X and wine servers of the script's own.
# Usage: settings-window.sh WINDOWS_BUILD_TREE. Starts a spooler when none runs (root only); exits 77 (skipped) without.
set -euo pipefail
source "$(dirname "$0")/screen-servers.sh"
use_windows_build "$1"
SHOTS=$WINDOWS_BUILD/settings-window

# Imported, the spooler's library would hold up the window's start for as long as a stopped spooler blocks it.
x86_64-w64-mingw32-objdump -p "$BIN/PC1Ayar.exe" | grep -qi 'DLL Name: winspool' && fail "PC1Ayar.exe imports winspool"
on_exit stop_spooler
use_own_print_queue || exit 77
WORK=$(mktemp -d "${TMPDIR:-/tmp}/pc1-settings.XXXXXX")
on_exit 'rm -rf "$WORK"'

# The harness's program is the settings program here: stop_program and expect_exit_code apply to it.
open_settings() {
    prepare_program "$WORK/PC1.ini"
    (cd "$RUN_DIR" && exec "${WINE_ENV[@]}" wine PC1Ayar.exe) &
    PC1_PID=$!
    inspect wait TAyarForm 60 || fail "no settings window"
}
listed() { inspect items TAyarForm.Yazici | tr -d '\r'; }
lists_queue() { listed | grep -qxF "$PRINTER"; }
folder_dialog_gone() { ! xdotool search --onlyvisible --name 'Tutanak klas'; }
settings_windows() { [ "$(xdotool search --onlyvisible --name 'PC1 Ayarlar' | wc -l)" -eq "$1" ]; }  # count
saved() { tr -d '\r' <"$RUN_DIR/PC1.ini" | grep -qxF "$1"; }  # line

# The folder typed over the field's text.
type_folder() {  # folder
    click_field TAyarForm.TutanakKlasoru
    xdotool key End shift+Home Delete
    xdotool type --delay 40 "$1"
}
# The field left, which checks the folder on a thread of the window's, and a moment for the outcome to show.
leave_folder() {
    xdotool key Tab
    sleep 1
}

printf '\xEF\xBB\xBFKurulBaskani=Ay\xC5\x9Fe \xC3\x87\xC4\xB1nar\r\nUye1=\xC4\xB0smail\r\nUye2=\xC3\x96zlem\r\n' >"$WORK/PC1.ini"
ensure_turkish_locale
start_x Xvfb -screen 0 1024x768x24
use_screens_prefix
use_dpi 96
open_settings
wait_until 30 "the script's queue in the printer list" lists_queue || fail "printers listed: $(listed)"
expect_eq "the fixed choices" "$(listed | head -n2 | paste -sd '|')" "Windows'un varsayılan yazıcısı|Yazdırma"

# The script's queue chosen as a person chooses by keys: its first letter, pressed once more for each queue listed
# before it whose name begins with that letter too; and the sample printed on it.
click_field TAyarForm.Yazici
xdotool key --repeat "$(listed | grep -i "^${PRINTER:0:1}" | grep -nxF "$PRINTER" | cut -d: -f1)" --delay 100 "${PRINTER:0:1}"
xdotool key Return
expect_eq "the printer chosen" "$(inspect text TAyarForm.Yazici)" "$PRINTER"
touch "$WORK/before"
click TAyarForm.OrnekYazdir
pdf=$(wait_for_pdf "$WORK/before" 60) || fail "no sample record from the queue"
pdftotext -layout "$pdf" "$WORK/sample.txt"
for shown in "Adı : ÖRNEK" "Soyadı : TUTANAK" "ÇİĞŞÖÜ çığşöü" "Ayşe Çınar" "İsmail" "Özlem"; do
    grep -qF "$shown" "$WORK/sample.txt" || fail "the sample record lacks '$shown': $(cat "$WORK/sample.txt")"
done
type_folder '\\yok\pay'
leave_folder
shoot_small 1024x768-folder-failed
# Saving it asks first; the default answer, no, keeps the window open and the file as it was.
click TAyarForm.Kaydet
wait_until 10 "the question before saving a folder that fails" settings_windows 2 || fail "saved without asking"
xdotool key Return
wait_until 10 "the question to close" settings_windows 1 && ! saved 'TutanakKlasoru=\\yok\pay' || fail "saved on a no"

mkdir -p "$WINEPREFIX/drive_c/PC1-tutanak"
on_exit 'rm -rf "$WINEPREFIX/drive_c/PC1-tutanak"'
click TAyarForm.KlasorSec
wait_until 20 "the folder dialog" xdotool search --onlyvisible --name 'Tutanak klas' || fail "no folder dialog"
xdotool type --delay 40 'C:\PC1-tutanak'
xdotool key Return
wait_until 10 "the folder dialog to close" folder_dialog_gone || fail "the folder dialog stayed"
expect_eq "the folder chosen" "$(inspect text TAyarForm.TutanakKlasoru)" 'C:\PC1-tutanak'
sleep 1  # the chosen folder's check shows its outcome
shoot_small 1024x768-folder-usable

# A share typed (Wine's folder dialogs take none), its server a folder linked where Wine looks for \\server.
mkdir -p "$WORK/sunucu/pay/Tutanaklar" "$WINEPREFIX/dosdevices/unc"
ln -sfn "$WORK/sunucu" "$WINEPREFIX/dosdevices/unc/sunucu"
on_exit 'rm -f "$WINEPREFIX/dosdevices/unc/sunucu"'
type_folder '\\sunucu\pay\Tutanaklar'
# Saved straight from the field: the save waits for the check that leaving the field starts.
click TAyarForm.Kaydet
expect_exit_code 0
saved "Yazici=$PRINTER" || fail "no printer saved: $(cat "$RUN_DIR/PC1.ini")"
saved 'TutanakKlasoru=\\sunucu\pay\Tutanaklar' || fail "no records folder saved: $(cat "$RUN_DIR/PC1.ini")"
stop_program

# The spooler held shut, as a frozen one holds its library's loading: the window answers, its list keeps its two
# fixed choices, and the listing process ends with it. Wine's winspool asks the spooler while it loads, holding the
# loader's lock, which the window's thread needs too: a listing thread in the window's own process froze the window
# until CUPS gave up (about 120 s), and inspect's reading of the list waited as long, once past ctest's timeout.
listing_ended() { ! pgrep -f "PC1Ayar.exe /YAZICILAR"; }
start_spooler_gate
on_exit stop_spooler_gate
hold_spooler
open_settings
sleep 3  # an answering spooler is listed within a second
expect_eq "choices while the spooler is held" "$(listed | wc -l)" 2
listing_ended && fail "no listing process while the spooler is held"
click TAyarForm.Vazgec
expect_exit_code 1
wait_until 10 "the listing process to end with the window" listing_ended || fail "the listing process outlived the window"
release_spooler
stop_program
stop_x

start_x Xvfb -screen 0 1920x1080x24
use_dpi 144
open_settings
type_folder '\\yok\pay'
leave_folder
shoot_small 1920x1080-144dpi-folder-failed
stop_program
stop_x
echo "screenshots in $SHOTS"
