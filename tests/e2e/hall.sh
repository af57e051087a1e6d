#!/usr/bin/env bash
# Two PCs of one hall on one share, as the hall's console sees them. Two real PC1.exe, each in a Wine prefix of its
# own, with a computer name of its own (PC01, PC02: every Wine process of a PC runs in a UTS namespace named after it,
# and Wine names the computer after the host name of its wine server's first process, for the server's life) and an X
# display of its own, as two PCs have two screens; both keep their records in \\server\share\Tutanaklar, which each
# prefix's UNC folder links to one Linux folder. The script reads from the Linux side what the console reads: each
# PC's state file in Tutanaklar\Salon and each PC's records file for the day.
# Both wait; PC01's exam runs, its time left counting down, while PC02 waits; PC02's exam is killed (kill -9) while
# it runs and its file stays at "running"; PC1 started again on PC02 says the exam is unfinished; PC01's exam ends
# with its line in PC01's day file. Meanwhile a simulated hall of thirty PCs writes into another folder of the share,
# whose files must hold what the simulator says it wrote. The inspector's reader of list views, on which the console's
# checks rest, is checked first on a list view of known rows. About three and a half minutes, most of them PC01's exam.
# Usage: hall.sh WINDOWS_BUILD_TREE
set -euo pipefail
source "$(dirname "$0")/driver.sh"
use_windows_build "$1"
ensure_turkish_locale

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

# The hall's console on the same share, once this build has one: PC1Salon.exe as the supervisor's machine runs it, in
# a prefix and on a screen of its own. Until then what it shows is not checked.
CONSOLE=
start_console() {
    [ -f "$BIN/PC1Salon.exe" ] || return 0
    set_up_machine salon
    (exec "${WINE_ENV[@]}" wine "$BIN/PC1Salon.exe" '\\server\share\Tutanaklar') &
    PID_OF[salon]=$!
    inspect wait TSalonForm 60 || fail "no hall console within 60 s"
    CONSOLE=yes
}

# What the console shows of the hall once the script has checked the PCs' files: here go the checks of its rows
# (inspect rows TSalonForm.Salon, and TSalonForm.Sonuclar for the day's results) against the stage named.
console_shows() {  # stage
    [ -n "$CONSOLE" ] || return 0
    on_pc salon
    echo "the console at '$1':"
    inspect rows TSalonForm.Salon
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
console_shows "both waiting"

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
console_shows "PC01 running, PC02 waiting"

# PC02's exam is killed ten seconds into it: its file keeps the last state it wrote.
on_pc pc02
enter_candidate 102 ilker çiğli
click TSinavForm.Baslat
expect_state PC02 phase running 10
sleep 10
kill -9 "${PID_OF[pc02]}"
wait "${PID_OF[pc02]}" 2>/dev/null || true
PID_OF[pc02]=
killed=$(cat "$RECORDS/Salon/PC02.txt")
left=$(state_value PC02 ms-left)
expect_within "PC02's time left when killed (ms)" "$left" 166000 172000
sleep 5
expect_eq "PC02's file five seconds after its kill" "$(cat "$RECORDS/Salon/PC02.txt")" "$killed"

echo "PC02 killed with $left ms left; its file unchanged five seconds later"
console_shows "PC02 killed while running"

# The journal, written more often than the state file, knows the time left as well or better.
start_pc1 pc02 TDevamForm
expect_state PC02 phase unfinished
expect_eq "the unfinished exam's candidate" "$(state_value PC02 candidate)" 102
expect_within "the unfinished exam's time left (ms)" "$(state_value PC02 ms-left)" $((left - 2500)) "$left"
console_shows "PC02 unfinished"

simulated_hall

# PC01's exam runs out its 180 s; the time-up dialog goes by itself and the results stay.
expect_state PC01 phase results $((200 - ($(now_ms) - pc01_running) / 1000))
python3 - "$RECORDS" "$TODAY" <<'PY' || fail "the day's records files are not PC01's one line"
import csv, pathlib, sys
folder, today = pathlib.Path(sys.argv[1]), sys.argv[2]
assert sorted(f.name for f in folder.glob("*.csv")) == [f"{today}_PC01.csv"], list(folder.glob("*.csv"))
rows = list(csv.reader((folder / f"{today}_PC01.csv").read_text(encoding="utf-8-sig").splitlines(), delimiter=";"))
assert [r[3:7] for r in rows[1:]] == [["PC1 - (PC01)", "101", "AYŞE", "YILMAZ"]], rows
print(f"{today}_PC01.csv: one line, exam {rows[1][14]}")
PY
console_shows "PC01's results"
echo "$(((($(now_ms) - started) + 500) / 1000)) s"
echo PASS
