#!/usr/bin/env bash
# Two PCs of one hall on one share, as the hall's console sees them. Two real PC1.exe, each in a Wine prefix of its
# own, with a computer name of its own (PC01, PC02: every Wine process of a PC runs in a UTS namespace named after it,
# and Wine names the computer after the host name of its wine server's first process, for the server's life) and an X
# display of its own, as two PCs have two screens; both keep their records in \\server\share\Tutanaklar, which each
# prefix's UNC folder links to one Linux folder. The script reads from the Linux side what the console reads: each
# PC's state file in Tutanaklar\Salon and each PC's records file for the day.
# Both wait; PC01's exam runs, its time left counting down, while PC02 waits; PC02's exam is killed (kill -9) while
# it runs and its file stays at "running"; PC1 started again on PC02 says the exam is unfinished, which the supervisor
# ends as it stood; PC01's exam ends with its line in PC01's day file. The hall's console, PC1Salon.exe on a third
# machine, shows each stage: both waiting, PC01 in its exam with its time left, PC02 not answering within the 10 s its
# silence allows and then unfinished, both with their results; then it ranks the two exams as their day files do,
# exports them as one records file through the system's save dialog (read back with Python's csv) and prints the list
# on the spooler's PDF queue (read back with pdftotext). Another program attacks the console's files from a PC: a
# state file under another PC's name, a second writer over PC01's, a day file of impossible and unseen lines; and
# PC02's journals while PC02 is down: twelve words appended, the clock rewound, the journal deleted. The console names
# each on its row: foreign, two writers, numbers that cannot be, not seen by the hall, more than the hall saw at the
# interruption, an exam seen under way with no record. Meanwhile a simulated hall of thirty PCs writes into another
# folder of the share, whose files must hold what the simulator says it wrote. The inspector's reader of list views,
# on which the console's checks rest, is checked first on a list view of known rows. About four minutes, most of
# them PC01's exam.
# Usage: hall.sh WINDOWS_BUILD_TREE
set -euo pipefail
source "$(dirname "$0")/driver.sh"
use_windows_build "$1"
ensure_turkish_locale
on_exit stop_spooler
use_own_print_queue || fail "no print queue"

SERVER=$(mktemp -d "${TMPDIR:-/tmp}/pc1-hall.XXXXXX")
on_exit 'rm -rf "$SERVER"'
RECORDS=$SERVER/share/Tutanaklar
mkdir -p "$RECORDS"
TODAY=$(date +%F)

declare -A PREFIX_OF SCREEN_OF SCREEN_PID_OF PID_OF RUN_DIR_OF
# What driver.sh's functions act on is one machine's: its prefix, its screen, its program and its Wine processes' host.
on_pc() {  # pc01, pc02 or salon
    export WINEPREFIX=${PREFIX_OF[$1]} DISPLAY=${SCREEN_OF[$1]}
    PC1_PID=${PID_OF[$1]:-}
    RUN_DIR=${RUN_DIR_OF[$1]:-}
    # shellcheck disable=SC2016 # expanded by the inner shell
    WINE_ENV=(unshare --uts sh -c 'hostname "$0" && exec "$@"' "$1" env LC_ALL="${PC1_LOCALE:-tr_TR.UTF-8}"
        LOCPATH="$LOCALE_DIR")
}

# The screens last: a Wine program whose X server went first says so on its way out.
stop_pcs() {
    local pc
    for pc in "${!PREFIX_OF[@]}"; do
        on_pc "$pc"
        stop_program
        wineserver -k 2>/dev/null || true
    done
    for pc in "${!SCREEN_PID_OF[@]}"; do kill "${SCREEN_PID_OF[$pc]}" 2>/dev/null || true; done
}

# A prefix copy linked to the server, a screen, and a warm wine server that knows the machine's name.
set_up_machine() {  # name
    use_prefix_copy "wine-prefix-hall-$1"
    PREFIX_OF[$1]=$WINEPREFIX
    mkdir -p "$WINEPREFIX/dosdevices/unc"
    ln -sfn "$SERVER" "$WINEPREFIX/dosdevices/unc/server"
    on_exit stop_pcs
    unset DISPLAY
    ensure_display || fail "no X display for $1"
    SCREEN_OF[$1]=$DISPLAY
    SCREEN_PID_OF[$1]=$XVFB_PID
    on_pc "$1"
    "${WINE_ENV[@]}" wineserver -p
    "${WINE_ENV[@]}" wine cmd /c exit </dev/null >/dev/null 2>&1
}

# A machine with a folder that holds PC1, its settings and the tests' supervisor's sequence.
set_up_pc() {  # pc01 or pc02
    set_up_machine "$1"
    printf '%s\r\n' 'TutanakKlasoru=\\server\share\Tutanaklar' 'Yazici=yok' >"$SERVER/PC1.ini"
    prepare_program "$SERVER/PC1.ini"
    RUN_DIR_OF[$1]=$RUN_DIR
}

start_pc1() {  # pc, [window class]
    on_pc "$1"
    run_program "$RUN_DIR" "${2:-TGirisForm}"
    PID_OF[$1]=$PC1_PID
}

state_value() { sed -n "s/^$2=//p" "$RECORDS/Salon/$1.txt" 2>/dev/null; }  # computer, key
says() { [ "$(state_value "$1" "$2")" = "$3" ]; }                            # computer, key, value

expect_state() {  # computer, key, value, [seconds]
    wait_until "${4:-10}" "$1.txt to say $2=$3" says "$1" "$2" "$3" ||
        fail "$1.txt says $2='$(state_value "$1" "$2")', not '$3'"
}

# The inspector reads a list view of another process through memory it takes in that process: a list view of known
# rows, Turkish letters, an empty cell and a cell longer than its first buffer, comes back as it was given.
check_list_view_reader() {
    local rows=($'Bilgisayar\tDurum\tAday' $'PC1 - (PC01)\tsınavda\tŞule Ilgaz' $'PC02\t\t'
        "$(printf 'ğ%.0s' {1..700})"$'\t\t')
    run_in_wine "$BIN/list-view-sample.exe" "${rows[@]}" &
    local sample=$!
    inspect wait SysListView32 30 || fail "no list view of known rows"
    expect_eq "the list view's rows" "$(inspect rows SysListView32)" "$(printf '%s\n' "${rows[@]}")"
    kill "$sample"
    wait "$sample" 2>/dev/null || true
    echo "the list view's rows read back"
}

# The hall's console on the same share: PC1Salon.exe as the supervisor's machine runs it, in a prefix and on a screen
# of its own, in a folder with its settings: the board's names for its printed list, the default printer (the
# spooler's PDF queue).
start_console() {
    set_up_machine salon
    CONSOLE_DIR=$(mktemp -d "${TMPDIR:-/tmp}/pc1-salon.XXXXXX")
    on_exit 'rm -rf "$CONSOLE_DIR"'
    cp "$BIN/PC1Salon.exe" "$CONSOLE_DIR/"
    printf '%s\r\n' 'KurulBaskani=Nermin Öztürk' 'Uye1=Cemal Işık' 'Uye2=Gül Şen' >"$CONSOLE_DIR/PC1.ini"
    # What the console of an earlier run saw, of exams whose records went with that run's share.
    rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Local/PC1/Salon
    (cd "$CONSOLE_DIR" && exec "${WINE_ENV[@]}" wine PC1Salon.exe '\\server\share\Tutanaklar') &
    PID_OF[salon]=$!
    inspect wait TSalonForm 60 || fail "no hall console within 60 s"
}

# A PC's row in the console's hall list, its columns joined by tabs: the PC, its phase, the candidate, the time left,
# the words typed, when it was last seen, its problems.
console_column() { inspect rows TSalonForm.Salon | grep -F "PC1 - ($1)"$'\t' | cut -f"$2"; }  # computer, column
console_says() { [[ "$(console_column "$1" 2)" == "$2"* ]]; }                                 # computer, phase
expect_console() {  # computer, the phase's first words, [seconds]
    on_pc salon
    wait_until "${3:-5}" "the console to show $1 as '$2'" console_says "$1" "$2" ||
        fail "the console shows $1 as '$(console_column "$1" 2)', not '$2'"
}

# While PC01's exam runs, a simulated hall of thirty PCs on the same share, in a folder of its own, run from PC02's
# prefix: its state files and day files must hold what its expected.txt says, which the console's checks compare
# with the console's rows.
simulated_hall() {
    local folder=$SERVER/share/Simulated
    on_pc pc02
    run_in_wine "$BIN/hall-simulator.exe" '\\server\share\Simulated' 30 60 "$RANDOM" --prefill 3000 ||
        fail "the hall simulator ended with $?"
    python3 - "$folder" <<'PY' || fail "the simulated hall's files differ from its expected.txt"
import collections, csv, pathlib, sys
folder = pathlib.Path(sys.argv[1])
expected = [line.split("\t") for line in (folder / "expected.txt").read_text(encoding="utf-8").splitlines()]
files = [f.read_text(encoding="utf-8-sig").splitlines()[1:] for f in folder.glob("*.csv")]
lines = collections.Counter(r[14] for f in files for r in csv.reader(f, delimiter=";"))
assert lines == collections.Counter(e[2] for e in expected if e[0] == "line"), "lines"
for _, pc, phase, *_ in (e for e in expected if e[0] == "pc"):
    assert f"phase={phase}\n" in (folder / "Salon" / f"{pc}.txt").read_text(encoding="utf-8"), pc
print(f"the simulated hall: {sum(lines.values())} lines, each once")
PY
}

started=$(now_ms)
set_up_pc pc01
set_up_pc pc02
check_list_view_reader
start_console

start_pc1 pc01
start_pc1 pc02
for pc in PC01 PC02; do
    expect_state "$pc" phase waiting 20
    expect_state "$pc" label "PC1 - ($pc)"
done
for pc in PC01 PC02; do expect_console "$pc" "Aday bekleniyor"; done
echo "the console: both waiting"
waiting_pc01=$(cat "$RECORDS/Salon/PC01.txt")

on_pc pc01
enter_candidate 101 ayşe yılmaz
expect_state PC01 phase ready
expect_state PC01 first-name AYŞE
click TSinavForm.Baslat
expect_state PC01 phase countdown
expect_state PC01 phase running 10
pc01_running=$(now_ms)
sleep 5
left=$(state_value PC01 ms-left)
expect_within "PC01's time left 5 s into its exam (ms)" "$left" 170000 177000
expect_state PC02 phase waiting
echo "PC01 running with $left ms left, PC02 waiting"
expect_console PC01 "Sınavda"
expect_console PC02 "Aday bekleniyor"
# The file is read before and after the console, whose reading takes seconds on a loaded machine.
left_before=$(state_value PC01 ms-left)
shown=$(console_column PC01 4)
left_after=$(state_value PC01 ms-left)
expect_within "PC01's time left on the console against its file (s)" \
    $((10#${shown%:*} * 60 + 10#${shown#*:})) $((left_after / 1000 - 3)) $((left_before / 1000 + 1))
echo "the console: PC01 in its exam with $shown left, PC02 waiting"
# The first words of the sample, which PC01's candidate types.
on_pc pc01
xdotool type --delay 200 "$(sample_words | head -5 | tr '\n' ' ')"

# Another program on a PC writes PC01's running state under another PC's name, and puts PC01's waiting state back over
# its running one five times a second for three seconds, as a second writer hiding an exam would.
cp "$RECORDS/Salon/PC01.txt" "$RECORDS/Salon/PC03.txt"
for _ in $(seq 15); do printf '%s\n' "$waiting_pc01" >"$RECORDS/x" && mv "$RECORDS/x" "$RECORDS/Salon/PC01.txt" && sleep 0.2; done
on_pc salon
hall_says() { inspect rows TSalonForm.Salon | grep -F "$1"$'\t' | grep -qF "$2"; }  # the row's first column, a text
wait_until 5 "PC03.txt called foreign" hall_says PC03.txt "Yabancı dosya: başka bir bilgisayarın durumu: PC01" ||
    fail "the console does not call PC03.txt, with PC01's state, foreign"
wait_until 5 "PC01's second writer named" hall_says "PC1 - (PC01)" "Durum dosyasına iki program yazıyor" ||
    fail "the console does not name PC01's second writer"

# PC02's exam is killed ten seconds into it: its file keeps the last state it wrote.
kill_pc() {  # pc
    kill -9 "${PID_OF[$1]}"
    wait "${PID_OF[$1]}" 2>/dev/null || true
    PID_OF[$1]=
}
on_pc pc02
enter_candidate 102 ilker çiğli
click TSinavForm.Baslat
expect_state PC02 phase running 10
sleep 10
kill_pc pc02
killed_at=$(now_ms)
killed=$(cat "$RECORDS/Salon/PC02.txt")
left=$(state_value PC02 ms-left)
expect_within "PC02's time left when killed (ms)" "$left" 166000 172000
sleep 5
expect_eq "PC02's file five seconds after its kill" "$(cat "$RECORDS/Salon/PC02.txt")" "$killed"

echo "PC02 killed with $left ms left; its file unchanged five seconds later"
# The console calls a PC silent once its file has not changed for 10 s: 8 to 10 s after the kill, since PC02 wrote
# at most 2 s before it, and a refresh later.
expect_console PC02 "Yanıt vermiyor" 15
expect_within "the console's 'not answering' after PC02's kill (ms)" $(($(now_ms) - killed_at)) 7000 13000
echo "the console: PC02 not answering $(console_column PC02 6)"

# The journal, written more often than the state file, knows the time left as well or better: within the moment by
# which, in one tick of the exam clock, the state reads the clock after the journal has (a few milliseconds on a
# loaded machine; the console allows a second).
start_pc1 pc02 TDevamForm
expect_state PC02 phase unfinished
expect_eq "the unfinished exam's candidate" "$(state_value PC02 candidate)" 102
expect_within "the unfinished exam's time left (ms)" "$(state_value PC02 ms-left)" $((left - 2500)) $((left + 100))
expect_console PC02 "Yarım kalan sınav"

# The supervisor ends PC02's exam as it stood: its record is kept and its results shown.
end_as_it_stood_on_pc02() {
    on_pc pc02
    keys_with_alt $(supervisor_digits)
    wait_until 10 "the supervisor's sequence to open the choice" shows enabled TDevamForm.BitirBtn 1 ||
        fail "the supervisor's sequence did not open PC02's choice"
    click TDevamForm.BitirBtn
    expect_state PC02 phase results 30
}
end_as_it_stood_on_pc02

# PC02's next exam, its candidate typing, is killed, and while PC02 is down another program changes its journal:
# tamper appends twelve words never typed, or rewrites it as one checkpoint with half a second of its clock run.
killed_exam_on_pc02() {  # candidate number
    on_pc pc02
    click TSinavForm.Temizle
    inspect wait TGirisForm 10 || fail "no entry dialog on PC02"
    enter_candidate "$1" deneme günlük
    click TSinavForm.Baslat
    expect_state PC02 phase running 10
    xdotool type --delay 100 "$(sample_words | head -2 | tr '\n' ' ')"
    sleep 5
    kill_pc pc02
    PC02_JOURNAL=$(ls -t "$(journal_folder)"/*.pc1j | head -1)
}
forged_exam_on_pc02() {  # candidate number, tamper's journal command, its argument
    killed_exam_on_pc02 "$1"
    run_in_wine "$BIN/tamper.exe" "$2" "$PC02_JOURNAL" "$3" || fail "tamper $2 failed"
    start_pc1 pc02 TDevamForm
    end_as_it_stood_on_pc02
}
forged_exam_on_pc02 103 journal-append "$(sample_words | sed -n 10,21p | tr '\n' ' ')"
forged_exam_on_pc02 104 journal-rewind 500
echo "PC02: two exams ended as they stood after another program changed their journals"

simulated_hall

# PC01's exam runs out its 180 s; the time-up dialog goes by itself and the results stay.
expect_state PC01 phase results $((200 - ($(now_ms) - pc01_running) / 1000))
python3 - "$RECORDS" "$TODAY" <<'PY' || fail "the day's records files are not one line of each PC"
import csv, pathlib, sys
folder, today = pathlib.Path(sys.argv[1]), sys.argv[2]
names = sorted(f.name for f in folder.glob("*.csv"))
assert names == [f"{today}_PC01.csv", f"{today}_PC02.csv"], names
for pc, exams in (("PC01", [("101", "AYŞE")]), ("PC02", [("102", "İLKER"), ("103", "DENEME"), ("104", "DENEME")])):
    rows = list(csv.reader((folder / f"{today}_{pc}.csv").read_text(encoding="utf-8-sig").splitlines(), delimiter=";"))
    assert [r[3:6] for r in rows[1:]] == [[f"PC1 - ({pc})", number, name] for number, name in exams], rows
    print(f"{today}_{pc}.csv:", ", ".join(f"exam {r[14]} net {r[10]}" for r in rows[1:]))
PY
for pc in PC01 PC02; do expect_console "$pc" "Sonuçlar ekranda"; done

# Both exams ranked on the console as their day files rank them: by net words, then correct words.
on_pc salon
wait_until 10 "the console to list the day's four results" eval '[ "$(inspect rows TSalonForm.Sonuclar | wc -l)" -eq 4 ]' ||
    fail "the console lists $(inspect rows TSalonForm.Sonuclar | wc -l) results, not 4"
inspect rows TSalonForm.Sonuclar >"$CONSOLE_DIR/results.rows"
python3 - "$RECORDS" "$TODAY" "$CONSOLE_DIR/results.rows" <<'PY' || fail "the console's results are not the day files' ranking"
import csv, pathlib, sys
folder, today, results = pathlib.Path(sys.argv[1]), sys.argv[2], pathlib.Path(sys.argv[3])
lines = [r for f in sorted(folder.glob(f"{today}_*.csv"))
         for r in list(csv.reader(f.read_text(encoding="utf-8-sig").splitlines(), delimiter=";"))[1:]]
ranked = sorted(lines, key=lambda r: (-int(r[10]), -int(r[8])))
shown = [row.split("\t") for row in results.read_text(encoding="utf-8").splitlines()]
assert [s[1] for s in shown] == [r[4] for r in ranked], (shown, ranked)
assert [s[9] for s in shown] == [r[10] for r in ranked], (shown, ranked)
result = lambda r: (int(r[10]), int(r[8]))
assert [s[0] for s in shown] == [str(1 + sum(result(o) > result(r) for o in ranked)) for r in ranked], shown
print("the console ranks", ", ".join(f"{s[1]} ({s[9]} net)" for s in shown))
PY
# The console saw PC02's first exam to its end, through its kill, and its record is the one it saw; PC01's had a
# second writer; PC02's two exams whose journals were changed hold more text, or more time, than it saw at their kill.
result_cell() { inspect rows TSalonForm.Sonuclar | awk -F'\t' -v n="$1" -v c="$2" '$2 == n { print $c }'; }  # number, column
expect_eq "the console's verdict on PC02's exam" "$(result_cell 102 12)" "Salon gördü"
expect_eq "the console's verdict on PC01's exam" "$(result_cell 101 12)" "Durum dosyasına iki program yazdı"
for number in 103 104; do
    [[ "$(result_cell $number 12)" == "Kesintiden sonra"* ]] ||
        fail "the console's verdict on exam $number, whose journal was changed: $(result_cell $number 12)"
done

# The day exported as one records file, written where the supervisor names it in the system's save dialog: the
# share's folder by its drive path, since Wine 8's file dialogs refuse a typed \\server\share path.
click TSalonForm.DisaAktar
sleep 2
xdotool key ctrl+a
xdotool type --delay 40 "Z:${SERVER//\//\\}\\share\\Gunun-Listesi.csv"
xdotool key Return
wait_until 10 "the merged records file" test -s "$SERVER/share/Gunun-Listesi.csv" || fail "no merged records file"
sleep 1
xdotool key Return  # the console says how many records it wrote
python3 - "$RECORDS" "$SERVER/share/Gunun-Listesi.csv" <<'PY' || fail "the merged records file is not the day's lines"
import csv, pathlib, sys
folder, merged = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
assert merged.read_bytes().startswith(b"\xef\xbb\xbf"), "no byte-order mark"
day = [list(csv.reader(f.read_text(encoding="utf-8-sig").splitlines(), delimiter=";")) for f in folder.glob("*.csv")]
rows = list(csv.reader(merged.read_text(encoding="utf-8-sig").splitlines(), delimiter=";"))
assert rows[0] == day[0][0] + ["Salon Tanığı"], rows[0]
assert sorted(r[14] for r in rows[1:]) == sorted(r[14] for f in day for r in f[1:]), rows
print(f"the merged records file: {len(rows) - 1} lines, the day files' own")
PY

# The ranked list printed on A4 on the spooler's PDF queue, with the board's names under their signature lines.
touch "$CONSOLE_DIR/print-mark"
click TSalonForm.Yazdir
pdf=$(wait_for_pdf "$CONSOLE_DIR/print-mark" 30) || fail "the console's list was not printed"
printed=$(pdftotext -layout "$pdf" -)
for expected in "Sınav sonuçları" "Sayfa 1 / 1" 101 102 "Nermin Öztürk" "Cemal Işık" "Gül Şen" "Sınav Kurulu Başkanı"; do
    grep -qF "$expected" <<<"$printed" || fail "the printed list lacks '$expected': $printed"
done
echo "the printed list: $pdf"

# A day file another program wrote: a line no exam gives (95 correct of 18 typed), and one of net 400 from an exam that
# the console, watching all the while, never saw. Both are named; the first goes unranked.
evil_line() {  # candidate number, typed, correct, net, exam id
    printf '%s;%s;%s;PC1 - (PC09);%s;EVIL;ADAY;%s;%s;0;%s;;0;0;%s;;\r\n' "$(date +%d.%m.%Y)" "$(date -d '-170 sec' +%T)" \
        "$(date +%T)" "$@"
}
{ head -1 "$RECORDS/${TODAY}_PC01.csv" && evil_line 901 18 95 95 "${TODAY//-/}-000001-0badc0de" &&
    evil_line 902 400 400 400 "${TODAY//-/}-000002-0badc0de"; } >"$RECORDS/${TODAY}_EVIL.csv"
wait_until 10 "the console to list the evil day file's lines" eval '[ "$(inspect rows TSalonForm.Sonuclar | wc -l)" -eq 6 ]' ||
    fail "the console lists $(inspect rows TSalonForm.Sonuclar | wc -l) results, not 6"
expect_eq "the impossible line's rank" "$(result_cell 901 1)" "-"
[[ "$(result_cell 901 12)" == "Sayılar olamaz"* ]] || fail "the impossible line's verdict: $(result_cell 901 12)"
expect_eq "the unseen exam's verdict" "$(result_cell 902 12)" "Salon bu sınavı görmedi"
echo "the console: the evil day file's lines named"

# PC02's last exam killed and its journal deleted while PC02 is down: PC02 starts again with no exam to take up, and
# the console names the exam it saw under way, which has no record.
killed_exam_on_pc02 105
rm "$PC02_JOURNAL"
start_pc1 pc02
expect_state PC02 phase waiting 20
on_pc salon
wait_until 10 "the console to name exam 105's missing record" eval '[[ "$(result_cell 105 12)" == "Kaydı yok"* ]]' ||
    fail "the console's row for exam 105, whose journal was deleted: '$(result_cell 105 12)'"
echo "the console: the exam whose journal was deleted named"
shoot hall-console TSalonForm
echo "$(((($(now_ms) - started) + 500) / 1000)) s"
echo PASS
