#!/usr/bin/env bash
# An exam that survives the PC it runs on. The real program, typed into with real keys, is ended at random instants of
# every phase: the start countdown, typing, the supervisor's stop, the time-up dialog, scoring and keeping the record,
# printing; by a kill -9 of its Wine process, alone or with the wine server as a power cut ends both, and once an
# exam by the supervisor's own close button. After each it starts again: an exam under way is continued with the
# supervisor's sequence (the last one is ended as it stood instead), one whose time was up is completed with it. Each
# end checks that the journal holds a prefix of what was typed with everything typed half a second before, and an
# exam clock no later than the real one and at most 1.5 s behind it; after continuing, the typing area shows the
# journal's text. Each exam ends with one record document and one records-file line, its interruptions counted, and
# its last stretch lasting the time that was left, within 50 ms.
# A run is one part, on a machine of its own, so that the parts run side by side: one such exam (PART 1, 2 or 3, each
# with a candidate of its own), or the rest (PART ended): an exam killed while typing and ended as it stood, then
# journals another program planted while PC1 was down.
# The instants come from a seed, printed first: the same seed makes the same choices.
# Usage: kill-loop.sh WINDOWS_BUILD_TREE PART [SEED]
set -euo pipefail
source "$(dirname "$0")/driver.sh"
use_windows_build "$1"
PART=$2
SEED=${3:-$RANDOM}
RANDOM=$SEED
echo "seed $SEED, part $PART"

use_own_machine
on_exit stop_spooler
use_own_print_queue || fail "no print queue"
start_spooler_gate
on_exit stop_spooler_gate
RECORDS=$(mktemp -d "${TMPDIR:-/tmp}/pc1-kills.XXXXXX")
on_exit 'rm -rf "$RECORDS"'
printf '%s\r\n' "TutanakKlasoru=Z:${RECORDS//\//\\}" >"$RECORDS/PC1.ini"
prepare_program "$RECORDS/PC1.ini"
JOURNALS=$(journal_folder)

WORDS=(yağmur sonrası şehir ılık bir güneşle ışıldıyordu çocuklar iğde ağaçlarının gölgesinde koşuşuyordu)
KEY_DELAY=200
LOSS_MS=500
CLOCK_LAG_MS=1500
declare -A ends=()
worst_loss=0

between() { echo $(($1 + RANDOM % ($2 - $1 + 1))); }  # low, high
pause_between() { sleep "$(between "$1" "$2").$(between 0 9)"; }  # whole seconds, low, high

# The candidate's keys, a word at a time, each word logged when it was begun and when it was through.
TYPIST_PID=
TYPIST_LOG=
start_typist() {
    TYPIST_LOG=$(mktemp "$RECORDS/typist.XXXXXX")
    rm -f "$RECORDS/stop-typing"
    (
        i=$RANDOM
        until [ -e "$RECORDS/stop-typing" ]; do
            word=${WORDS[i % ${#WORDS[@]}]}
            echo "begun $(now_ms) $word" >>"$TYPIST_LOG"
            xdotool type --delay "$KEY_DELAY" "$word "
            echo "through $(now_ms) $word" >>"$TYPIST_LOG"
            i=$((i + 1))
        done
    ) &
    TYPIST_PID=$!
}
# At the end of its word: a key cut off halfway would stay down, and its repeats would break the next key sequence.
stop_typist() {
    [ -n "$TYPIST_PID" ] || return 0
    touch "$RECORDS/stop-typing"
    wait "$TYPIST_PID" 2>/dev/null || true
    TYPIST_PID=
}
on_exit stop_typist
typed_by() {  # ms
    [ -z "$TYPIST_LOG" ] || awk -v t="$1" '$1 == "through" && $2 <= t { printf "%s ", $3 }' "$TYPIST_LOG"
}
# The word, with its space, that the typist was typing at an instant: xdotool returns a moment after its last key,
# so a word may be through before the log says so.
typing_at() {  # ms
    [ -z "$TYPIST_LOG" ] || awk -v t="$1" '$2 <= t { w = $1 == "begun" ? $3 " " : "" } END { print w }' "$TYPIST_LOG"
}

# The exam as the test keeps it: the text before the typist's words, and the clock, RAN_MS before RUN_FROM and
# running since then unless it stands.
TYPED=
RAN_MS=0
RUN_FROM=
clock_ms() { echo $((RAN_MS + (${RUN_FROM:-0} > 0 ? $1 - RUN_FROM : 0))); }  # at
# A space typed, whose release starts or resumes the exam clock somewhere between the moment xdotool is asked for it
# and the moment it is through (SPACE_THROUGH), which a loaded machine sets apart: the clock as the test keeps it runs
# from the first, so that the exam's clock is never ahead of it.
SPACE_THROUGH=
run_clock() {
    RUN_FROM=$(now_ms)
    xdotool key space
    SPACE_THROUGH=$(now_ms)
    TYPED+=" "
}
stand_clock() {  # at
    RAN_MS=$(clock_ms "$1")
    RUN_FROM=
}

journal() { inspect journal "$JOURNALS"; }
tamper() { run_in_wine "$BIN/tamper.exe" "$@"; }
journals_gone() { [ -z "$(ls -A "$JOURNALS")" ]; }

# What the journal of the exam under way kept when its program ended at an instant.
check_journal() {  # ended at
    local journaled exam_ms lag through sure
    journaled=$(journal | sed '1,/^typed:$/d')
    exam_ms=$(journal | sed -n 's/^exam_ms=//p')
    through=$TYPED$(typed_by "$1")
    sure=$TYPED$(typed_by $(($1 - LOSS_MS)))
    [[ "$through$(typing_at "$1")" == "$journaled"* ]] ||
        fail "the journal holds '$journaled', which is no prefix of what was typed: '$through'"
    [[ "$journaled" == "$sure"* ]] || fail "the journal holds '$journaled', without '$sure' typed $LOSS_MS ms before"
    local lost=$((${#through} > ${#journaled} ? ${#through} - ${#journaled} : 0))
    ((lost > worst_loss)) && worst_loss=$lost
    lag=$(($(clock_ms "$1") - exam_ms))
    expect_within "the real exam clock less the journal's (ms)" "$lag" -50 "$CLOCK_LAG_MS"
    echo "  the journal: ${#journaled} characters, ${lost} typed after it; its clock ${exam_ms} ms, ${lag} ms behind"
    TYPED=$journaled
    RAN_MS=$exam_ms
    TYPIST_LOG=
}

# Ends PC1 as a power cut, a frozen PC or a killed process would.
ENDED_AT=
kill_program() {  # phase
    local killed how=
    killed=$(now_ms)
    ENDED_AT=$killed
    kill -9 "$PC1_PID"
    if ((RANDOM % 2)); then
        how="with the wine server"
        wineserver -k 2>/dev/null || true
        wineserver -w
    fi
    wait "$PC1_PID" 2>/dev/null || true
    PC1_PID=
    stop_typist
    [ -z "$RUN_FROM" ] || stand_clock "$killed"
    ends[$1]=$((${ends[$1]:-0} + 1))
    echo "killed in $1 ${how:-alone}"
    [ -z "$how" ] || start_wineserver
}

# Starts PC1 again after its exam was under way, or its time up: the supervisor's screen shows the unfinished exam,
# whose choice only the supervisor's sequence opens.
choose_after_restart() {  # button
    run_program "$RUN_DIR" TDevamForm
    choose "$1"
}
choose() {  # button
    [ "$(inspect enabled "TDevamForm.$1")" = 0 ] || fail "$1 can be pressed without the supervisor's sequence"
    keys_with_alt $(supervisor_digits)
    wait_until 10 "the supervisor's sequence to open the choice" shows enabled "TDevamForm.$1" 1 ||
        fail "the supervisor's sequence did not open the choice"
    click "TDevamForm.$1"
}

# The supervisor continues the exam; the clock stands until the candidate's next key.
continue_exam() {
    choose_after_restart DevamBtn
    inspect wait TSinavForm 10 || fail "no exam window after continuing"
    expect_text TSinavForm.Yazilan "$TYPED"
}

# Starts PC1 again after the exam's time was up: it can only be completed, which the supervisor's sequence does, with
# the time-up dialog and the results.
complete_exam() {
    choose_after_restart BitirBtn
    [ "$(inspect enabled TDevamForm.DevamBtn)" != 1 ] || fail "an exam whose time was up can be continued"
    inspect wait TSinavForm.GroupBox1 30 || fail "no results after the exam was completed"
}

# The record document and the records-file lines of the candidate: exactly one of each, the interruptions counted.
check_record() {  # candidate number, interruptions
    python3 - "$RECORDS" "$1" "$2" <<'PY' || fail "the records of candidate $1 are not one document and one line"
import csv, pathlib, sys
folder, number, interruptions = pathlib.Path(sys.argv[1]), sys.argv[2], int(sys.argv[3])
documents = [d for d in folder.glob("*.rtf") if d.name.endswith(f"_{number}.rtf") or f"_{number}_" in d.name]
assert len(documents) == 1, documents
rows = [r for f in folder.glob("*.csv") for r in csv.reader(f.read_text(encoding="utf-8-sig").splitlines(), delimiter=";")]
mine = [r for r in rows[1:] if r[4] == number]
assert len(mine) == 1, mine
header = rows[0]
assert int(mine[0][header.index("Kesinti")]) == interruptions, (mine, interruptions)
assert mine[0][header.index("Tutanak")] == documents[0].name, mine
print(f"  candidate {number}: one document, one line, {interruptions} interruptions")
PY
}

one_exam() {  # candidate number
    local continued=0
    TYPED=
    TYPIST_LOG=
    RAN_MS=0
    RUN_FROM=
    enter_candidate "$1" deneme sınav
    click TSinavForm.Baslat
    inspect wait TSinavForm.BaslaPanel 5 || fail "no start countdown"
    if ((RANDOM % 2)); then
        sleep "0.$(between 3 9)"
        kill_program "the start countdown"
        check_journal "$ENDED_AT"
        continue_exam
        continued=$((continued + 1))
    fi
    run_clock
    start_typist
    local k
    for k in 1 2; do
        pause_between 3 20
        kill_program typing
        check_journal "$ENDED_AT"
        continue_exam
        continued=$((continued + 1))
        run_clock
        start_typist
    done

    # The supervisor stops the clock, and then either the PC dies or the supervisor closes the program.
    pause_between 2 8
    stop_typist
    keys_with_alt $(supervisor_digits)
    stand_clock "$(now_ms)"
    inspect wait TSinavForm.KapatBtn 5 || fail "no close button after the supervisor's sequence"
    pause_between 0 2
    if ((RANDOM % 2)); then
        kill_program "the supervisor's stop"
    else
        click TSinavForm.KapatBtn
        ENDED_AT=$(now_ms)
        expect_exit_code 0
        ends["the supervisor's close"]=$((${ends["the supervisor's close"]:-0} + 1))
        echo "closed by the supervisor while stopped"
    fi
    check_journal "$ENDED_AT"
    continue_exam
    continued=$((continued + 1))

    # The last stretch runs the time that was left, from the space's release.
    local left=$((180000 - RAN_MS)) ended
    inspect ended-at TSinavForm.Yazilan $((left / 1000 + 30)) $((left / 1000 - 2)) >"$RECORDS/ended" &
    local watch=$!
    run_clock
    start_typist
    wait "$watch" || fail "the exam did not end"
    stop_typist
    ended=$(cat "$RECORDS/ended" | tr -d '\r')
    echo "  the last stretch: $((ended - SPACE_THROUGH)) to $((ended - RUN_FROM)) ms, $left ms having been left"
    ((ended - SPACE_THROUGH - left <= 50 && ended - RUN_FROM - left >= -50)) ||
        fail "the last stretch is not within 50 ms of the time left"

    # Then the ends after the time: in the time-up dialog, while scoring and keeping the record, while printing.
    inspect wait TSonucForm 5 || fail "no time-up dialog"
    pause_between 0 3
    kill_program "the time-up dialog"
    complete_exam_killed_after_the_dialog
    hold_spooler
    complete_exam_killed_while_printing
    release_spooler
    complete_exam
    wait_until 30 "the journal to go beside the record" journals_gone ||
        fail "the journal stayed: $(ls "$JOURNALS")"
    check_record "$1" "$continued"
}

# Started again after the time-up dialog, the exam completes: its dialog again, then its record is scored and kept,
# when the program is ended again.
complete_exam_killed_after_the_dialog() {
    choose_after_restart BitirBtn
    inspect wait TSonucForm 10 || fail "no time-up dialog after the exam was completed"
    inspect gone TSonucForm 10 || fail "the time-up dialog stayed"
    sleep "0.$(between 0 3)"
    kill_program "scoring and keeping the record"
}

complete_exam_killed_while_printing() {
    choose_after_restart BitirBtn
    inspect wait TSinavForm.GroupBox1 30 || fail "no results after the exam was completed"
    pause_between 0 1
    kill_program "printing"
}

# An exam killed while typing that the supervisor ends as it stood: scored as typed, its record says so.
exam_ended_as_it_stood() {
    echo "== an exam ended as it stood"
    TYPED=
    TYPIST_LOG=
    RAN_MS=0
    RUN_FROM=
    enter_candidate 299 deneme bitir
    click TSinavForm.Baslat
    inspect wait TSinavForm.BaslaPanel 5 || fail "no start countdown"
    run_clock
    start_typist
    pause_between 3 8
    kill_program typing
    check_journal "$ENDED_AT"
    choose_after_restart BitirBtn
    inspect wait TSinavForm.GroupBox1 30 || fail "no results for the exam ended as it stood"
    expect_text TSinavForm.Yazilan "$TYPED"
    wait_until 30 "the journal to go beside the record" journals_gone || fail "the journal stayed: $(ls "$JOURNALS")"
    check_record 299 1
}

# Journals that another program wrote while PC1 was down: one of this PC's, its time up and the sample's identity
# right, waits for the supervisor and is no record without the sequence; one of another computer, with a sample of
# its own, is set aside, named in a message, and never scored.
planted_journals() {
    echo "== planted journals"
    kill_program "the results"
    tamper journal-plant "$JOURNALS" "$RUN_DIR/Metin.rtf" || fail "cannot plant this PC's journal"
    tamper journal-plant "$JOURNALS" "$RUN_DIR/Metin.rtf" PC99 || fail "cannot plant another computer's journal"
    run_program "$RUN_DIR" '#32770'
    xdotool key Return
    inspect wait TDevamForm 10 || fail "the planted journal of this PC is not on the supervisor's screen"
    sleep 5
    records_of() { find "$RECORDS" -maxdepth 1 -name "*_$1.rtf" | wc -l; }  # candidate number
    expect_eq "records of the planted journal before the supervisor's sequence" "$(records_of 666)" 0
    [ -n "$(find "$JOURNALS" -name '*0badf00d.pc1j.ayrildi')" ] || fail "the other computer's journal was not set aside"
    choose BitirBtn
    inspect wait TSinavForm.GroupBox1 30 || fail "no results after the supervisor completed the planted journal"
    expect_eq "records of the planted journal after the supervisor's sequence" "$(records_of 666)" 1
    expect_eq "records of the other computer's journal" "$(records_of 667)" 0
}

run_program "$RUN_DIR"
if [ "$PART" = ended ]; then
    exam_ended_as_it_stood
    planted_journals
else
    echo "== exam $PART"
    one_exam $((200 + PART))
    click TSinavForm.Temizle
    inspect wait TGirisForm 10 || fail "no entry dialog for the next candidate"
fi

total=0
for phase in "${!ends[@]}"; do
    echo "ended in $phase: ${ends[$phase]} times"
    total=$((total + ends[$phase]))
done
echo "seed $SEED, part $PART: $total ends; the most typed after the journal's last record: $worst_loss characters"
echo PASS
