#!/usr/bin/env bash
# The supervisor's sequence as each installation sets its own: the release installed silently with /SIRA=, the
# sequence typed with real keys on the installed PC1 (another one shows no close button), changed in the settings
# program's window, and an installation without one, where PC1 tells the supervisor so and runs no exam.
# Usage: installed-sequence.sh WINDOWS_BUILD_TREE
set -euo pipefail
source "$(dirname "$0")/driver.sh"
use_windows_build "$1"
use_own_machine

setup=$(ls "$WINDOWS_BUILD"/PC1-*-setup.exe)
folder=$WINEPREFIX/drive_c/PC1-e2e
first=$(supervisor_sequence)
second=$(rev <<<"$first")

uninstall() {
    stop_program
    [ -f "$folder/Uninstall.exe" ] && run_in_wine "$folder/Uninstall.exe" /S /AYARLARISIL
    wait_until 20 "the uninstaller to remove PC1.exe" test ! -e "$folder/PC1.exe"
    rm -rf "$folder"
}

# The entry filled in and the exam started, with a word typed. The exam the previous start left is forgotten.
start_exam() {
    rm -rf "$(journal_folder)"
    run_program "$folder"
    enter_candidate 7 ali veli
    click TSinavForm.Baslat
    inspect wait TSinavForm.BaslaPanel 5 || fail "no start countdown"
    xdotool type --delay 40 ilk
    expect_text TSinavForm.Yazilan ilk
}

# One sequence typed with Alt held has no effect; the other reveals the close button, which ends PC1.
expect_only_sequence() {  # the sequence that works, one that does not
    # shellcheck disable=SC2046
    keys_with_alt $(grep -o . <<<"$2")
    xdotool key period
    expect_text TSinavForm.Yazilan ilk.
    expect_eq "close button after a sequence not set" "$(inspect visible TSinavForm.KapatBtn)" 0
    # shellcheck disable=SC2046
    keys_with_alt $(grep -o . <<<"$1")
    inspect wait TSinavForm.KapatBtn 5 || fail "no close button after the sequence $1"
    click TSinavForm.KapatBtn
    expect_exit_code 0
}

on_exit uninstall
run_in_wine "$setup" /S "/SIRA=$first" '/D=C:\PC1-e2e' || fail "the silent install ended with $?"
grep -q '^DenetimSirasi=pbkdf2-sha256:' "$folder/PC1.ini" || fail "no sequence in the installed PC1.ini"
grep -q "$first" "$folder/PC1.ini" && fail "the installed PC1.ini holds the digits"
start_exam
expect_only_sequence "$first" "$second"

# The settings program's window: the new sequence typed twice, hidden, then saved.
(cd "$folder" && exec "${WINE_ENV[@]}" wine PC1Ayar.exe) &
settings_pid=$!
inspect wait TAyarForm 30 || fail "no settings window"
click_field TAyarForm.Sira
xdotool type --delay 60 "$second"
click_field TAyarForm.SiraTekrar
xdotool type --delay 60 "$second"
expect_eq "the sequence as the settings window shows it" "$(inspect text TAyarForm.Sira)" "$second"
shoot settings-window TAyarForm
click TAyarForm.Kaydet
wait_until 20 "the settings program to end after saving" process_ended "$settings_pid" || {
    kill -9 "$settings_pid"
    exit 1
}
wait "$settings_pid" || fail "the settings program ended with $?"
grep -q "$second" "$folder/PC1.ini" && fail "PC1.ini holds the digits"
start_exam
expect_only_sequence "$second" "$first"

# No sequence: a message for the supervisor, no entry dialog, and PC1 ends when it is read.
sed -i 's/^DenetimSirasi=.*/DenetimSirasi=\r/' "$folder/PC1.ini"
(cd "$folder" && exec "${WINE_ENV[@]}" wine PC1.exe) &
PC1_PID=$!
inspect wait '#32770' 30 || fail "no message without a sequence"
expect_eq "entry dialog without a sequence" "$(inspect visible TGirisForm)" 0
shoot no-sequence
xdotool key Return
expect_exit_code 3
echo PASS
