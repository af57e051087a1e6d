#!/usr/bin/env bash
# Two candidates' whole sessions on the real program at real speed, typed with real keys: entry, the start countdown,
# 180 seconds of the sample text with three wrong words among it, the time-up dialog, the results, and "Yeni Oturum"
# for the next candidate; then the supervisor's sequence and the close button, pressed while the second record is still
# on its way to a spooler that takes its time. About seven minutes. Each exam's record is read back: printed on the
# spooler's PDF queue, every page of it, and kept as a document and a records-file line in the folder the
# installation's settings name.
# Screenshots of every stage go to WINDOWS_BUILD_TREE/e2e-screenshots.
# Usage: two-sessions.sh WINDOWS_BUILD_TREE
set -euo pipefail
source "$(dirname "$0")/driver.sh"
use_windows_build "$1"
use_own_machine

WRONG_WORDS=(kelebekler yağmurluk şemsiyeci)
WRONG_AT=(3 17 40)  # their places among the typed words
EXAM_MS=180000
TYPE_WORDS_MS=170000  # then only spaces, so that no word is cut off when the time is up
# Ten keys a second (xdotool types a key per half the delay): a fast candidate's pace, and one PC1 keeps up with under
# Wine. At twice that it falls behind late in the exam, and then xdotool's brief key mappings for the Turkish letters
# are gone before Wine reads a key, which types the wrong letter.
KEY_DELAY=200

mapfile -t SAMPLE < <(sample_words)
# xdotool types capital Ç, Ö and Ü in lower case, so those words are left out of what is typed.
mapfile -t TYPABLE < <(printf '%s\n' "${SAMPLE[@]}" | grep -v '[ÇÖÜ]')
PLAN=()
for ((i = 0; ${#PLAN[@]} < 2000; i++)); do PLAN+=("${TYPABLE[i % ${#TYPABLE[@]}]}"); done
for i in "${!WRONG_AT[@]}"; do PLAN=("${PLAN[@]:0:WRONG_AT[i]}" "${WRONG_WORDS[i]}" "${PLAN[@]:WRONG_AT[i]}"); done

# A space typed, unless the watch has seen the exam end.
ended_else_space() {  # watch log
    grep -q ended "$1" && return
    xdotool key space
    return 1
}

# One exam from "Sınava Başla" to the results. The clock starts by "a key", typed during the countdown, or by "the
# countdown" running out, after which typing begins. Spaces, one every 100 ms, go on until the typing area
# stops taking keys and a second longer; the watch measures from outside how long it took them.
run_exam() {  # session, how the clock starts
    local log=$RUN_DIR/watch-$1.log typed=0 started shot_running=
    click TSinavForm.Baslat
    inspect watch >"$log" &
    local watch_pid=$!
    sleep 1.5
    shoot "$1-countdown"
    if [ "$2" = "a key" ]; then
        xdotool type --delay "$KEY_DELAY" "${PLAN[0]} "
        typed=1
    fi
    wait_until 10 "the watch to see the clock start" grep -q started "$log" || exit 1
    started=$(now_ms)
    while (($(now_ms) - started < TYPE_WORDS_MS)); do
        xdotool type --delay "$KEY_DELAY" "${PLAN[typed]} "
        typed=$((typed + 1))
        if [ -z "$shot_running" ] && (($(now_ms) - started > 60000)); then
            shoot "$1-running"
            shot_running=yes
        fi
    done
    wait_until $(((started + EXAM_MS + 15000 - $(now_ms)) / 1000)) "the typing area to stop taking keys" \
        ended_else_space "$log" || exit 1
    xdotool key --repeat 10 --delay 100 space
    wait_until 5 "the watch to see the time-up dialog" grep -q dialog "$log" || exit 1
    shoot "$1-time-up"
    wait "$watch_pid" || fail "the watch failed: $(cat "$log")"
    inspect wait TSinavForm.GroupBox1 10 || fail "no results"
    shoot "$1-results"

    local accepted ended dialog late
    accepted=$(sed -n 's/^accepted_ms=//p' "$log")
    ended=$(sed -n 's/^ended_ms=//p' "$log")
    dialog=$(sed -n 's/^dialog_ms=//p' "$log")
    late=$(sed -n 's/^late_keys=//p' "$log")
    echo "session $1: $(head -n 1 "$log"); the typing area took keys for $accepted ms, turned read-only after" \
        "$ended ms; the time-up dialog stayed $dialog ms; $typed words typed"
    expect_eq "how the clock started" "$(head -n 1 "$log")" "started by $2"
    expect_within "time the typing area took keys" "$accepted" $((EXAM_MS - 1000)) $((EXAM_MS + 1000))
    expect_eq "keys taken after the end" "$late" 0
    expect_within "time the time-up dialog stayed" "$dialog" 4000 8000

    local correct=()
    for word in "${PLAN[@]:0:typed}"; do
        [[ " ${WRONG_WORDS[*]} " == *" $word "* ]] || correct+=("$word")
    done
    expect_eq "sample words" "$(inspect items TSinavForm.MetinListBox)" "$(printf '%s\n' "${SAMPLE[@]}")"
    expect_eq "correct words" "$(inspect items TSinavForm.DogruListBox)" "$(printf '%s\n' "${correct[@]}")"
    expect_eq "wrong words" "$(inspect items TSinavForm.YanlisListBox)" "$(printf '%s\n' "${WRONG_WORDS[@]}")"
    CORRECT=${#correct[@]}
}

on_exit stop_spooler
use_own_print_queue || fail "no print queue"
start_spooler_gate
RECORDS=$(mktemp -d "${TMPDIR:-/tmp}/pc1-records.XXXXXX")
# As Notepad saves it: UTF-8 with a byte-order mark, CR LF line ends.
{
    printf '\xef\xbb\xbf'
    printf '%s\r\n' "; PC1 ayarları" "KurulBaskani = Ayşe Çınar" "Uye1=İsmail Öztürk" "TutanakKlasoru=Z:${RECORDS//\//\\}"
} >"$RECORDS/PC1.ini"
on_exit 'rm -rf "$RECORDS"'
start_program "$RECORDS/PC1.ini"
on_exit stop_spooler_gate

# The queue's PDF, once the queue is empty, that names the candidate of the session.
record_pdf_of() {  # session, candidate number
    local pdf
    [ -z "$(lpstat -o "$PRINTER" 2>/dev/null)" ] || return 1
    pdf=$(find "$PDF_DIR" -maxdepth 1 -name '*.pdf' -newer "$RECORDS/exam-$1" \
        -exec sh -c 'pdftotext -layout "$1" - | grep -qw "Aday No : $2"' _ {} "$2" \; -print -quit)
    [ -n "$pdf" ] && echo "$pdf"
}

# The record printed for the exam that has just ended, read back from the PDF of the queue that names its candidate:
# other programs may print on the same queue meanwhile.
expect_printed_record() {  # session, candidate number, first name, surname
    local pdf text pages page
    wait_until 30 "the record of session $1 from the spooler" record_pdf_of "$1" "$2" ||
        fail "no record printed for session $1"
    pdf=$(record_pdf_of "$1" "$2")
    text=$(pdftotext -layout "$pdf" - | tr '\n' ' ' | sed 's/\xc2\xad/-/g; s/  */ /g')
    local shown
    for shown in "Aday No : $2" "Adı : $3" "Soyadı : $4" "Ayşe Çınar" "İsmail Öztürk" \
        "Yazılan Doğru Yanlış Sonuç $((CORRECT + 3)) $CORRECT 3 $((CORRECT - 3))" "${PLAN[*]:0:12}"; do
        [[ "$text" == *"$shown"* ]] || fail "the printed record of session $1 does not show '$shown'"
    done
    pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
    for ((page = 1; page <= pages; page++)); do
        pdftotext -layout -f "$page" -l "$page" "$pdf" - | grep -q "Sayfa : $page / $pages" ||
            fail "page $page of the printed record of session $1 is not headed 'Sayfa : $page / $pages'"
    done
    [ "$1" = 1 ] && pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$pdf" "$SHOTS/record-page1"
    echo "session $1: the record printed, $pages pages"
}

touch "$RECORDS/exam-1"
enter_candidate 17 şule ılgaz
run_exam 1 "a key"
expect_printed_record 1 17 ŞULE ILGAZ
click TSinavForm.Temizle
touch "$RECORDS/exam-2"
enter_candidate 18 ilker çiğli
# The second record meets a spooler that takes its time, and the supervisor closes PC1 before it is through: PC1
# waits for it, at most five seconds, and only then ends.
hold_spooler
run_exam 2 "the countdown"
mapfile -t digits < <(supervisor_digits)
keys_with_alt "${digits[@]}"
inspect wait TSinavForm.KapatBtn 2 || fail "no close button after the supervisor's sequence"
click TSinavForm.KapatBtn
closed=$(now_ms)
sleep 2
release_spooler
expect_exit_code 0
echo "PC1 ended $(($(now_ms) - closed)) ms after the close, the spooler held for the first 2000 ms of them"
expect_printed_record 2 18 İLKER ÇİĞLİ

# Both records kept: two documents, and the day's records file with its header and a line for each candidate.
python3 - "$RECORDS" <<'PY' || fail "the records kept on disk differ"
import csv, pathlib, sys
folder = pathlib.Path(sys.argv[1])
documents = sorted(folder.glob("*.rtf"))
assert len(documents) == 2, documents
assert all(d.read_bytes().startswith(b"{\\rtf1\\ansi\\ansicpg1254") for d in documents)
(records,) = folder.glob("*.csv")
rows = list(csv.reader(records.read_text(encoding="utf-8-sig").splitlines(), delimiter=";"))
assert rows[0] == ["Tarih", "Başlama", "Bitiş", "Bilgisayar", "Aday No", "Adı", "Soyadı", "Yazılan", "Doğru",
                   "Yanlış", "Sonuç", "Tutanak", "Kesinti", "Kesinti Süresi (sn)", "Sınav Kimliği", "Salon Özeti",
                   "Günlük Sorunu"], rows[0]
assert [r[4:7] for r in rows[1:]] == [["17", "ŞULE", "ILGAZ"], ["18", "İLKER", "ÇİĞLİ"]], rows
assert all(int(r[10]) == int(r[8]) - int(r[9]) and r[11] in {d.name for d in documents} for r in rows[1:]), rows
assert [r[12:14] for r in rows[1:]] == [["0", "0"]] * 2 and len({r[14] for r in rows[1:]}) == 2, rows
# Each line with the hall's digest of its exam, and no journal problem.
assert all(len(r[15]) == 64 and r[16] == "" for r in rows[1:]), rows
print(f"kept: {len(documents)} documents, {records.name} with {len(rows) - 1} lines")
PY
echo PASS
