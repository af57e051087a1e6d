#!/usr/bin/env bash
# A hall of 100 PCs under the hall's console: hall-simulator.exe plays them at the real pace for two minutes over a
# day whose files already hold 10,000 lines, some PCs killed in their exams and some day files held, while
# PC1Salon.exe watches the folder. The console's hall list is read about every second: it lists every PC, calls no PC
# not answering but a killed one (or one whose own file stood still), and each killed one within 10 s of silence and a
# refresh of its last write; while a day file is held open by a program that keeps it to itself, the status bar names
# a held file. Once the hall is quiet, every PC shows the phase it wrote last and the results list holds every line of
# the day exactly once.
# Usage: hundred-pcs.sh WINDOWS_BUILD_TREE [SEED]
set -euo pipefail
source "$(dirname "$0")/driver.sh"
use_windows_build "$1"
use_own_machine
SEED=${2:-$RANDOM}
echo "seed $SEED"

HALL=$(mktemp -d "${TMPDIR:-/tmp}/pc1-hundred.XXXXXX")
on_exit 'rm -rf "$HALL"'
SEEN=$HALL/seen
mkdir -p "$SEEN"
folder="Z:${HALL//\//\\}"

run_in_wine "$BIN/hall-simulator.exe" "$folder" 100 120 "$SEED" --prefill 10000 >"$HALL/simulator.log" 2>&1 &
SIMULATOR=$!
on_exit 'kill "$SIMULATOR" 2>/dev/null || true'
# The console comes once the day is prefilled and the held files are held, as a supervisor finds a hall.
wait_until 60 "the simulated hall to run" grep -q "the hall runs" "$HALL/simulator.log" ||
    fail "the hall simulator did not start: $(cat "$HALL/simulator.log")"
(cd "$HALL" && exec "${WINE_ENV[@]}" wine "$BIN/PC1Salon.exe" "$folder") &
PC1_PID=$!
on_exit stop_program
inspect wait TSalonForm 60 || fail "no hall console within 60 s"

# What the console shows, as often as the inspector reads it, until the simulator has ended and ten seconds more.
quiet_since=
while [ -z "$quiet_since" ] || (($(now_ms) - quiet_since < 10000)); do
    at=$(now_ms)
    inspect rows TSalonForm.Salon >"$SEEN/$at.rows"
    inspect text TSalonForm.Durum >"$SEEN/$at.status"
    find "$HALL/Salon" -maxdepth 1 -name '*.txt' -printf '%f %T@\n' >"$SEEN/$at.times"
    if [ -z "$quiet_since" ] && process_ended "$SIMULATOR"; then quiet_since=$(now_ms); fi
    sleep 0.5
done
wait "$SIMULATOR" || fail "the hall simulator ended with $?: $(cat "$HALL/simulator.log")"
cat "$HALL/simulator.log"
inspect rows TSalonForm.Sonuclar >"$HALL/results.rows"

python3 - "$HALL" <<'PY' || fail "the console did not show the hall as it was"
import csv, pathlib, sys
hall = pathlib.Path(sys.argv[1])
expected = [l.split("\t") for l in (hall / "expected.txt").read_text(encoding="utf-8").splitlines()]
killed = {e[1] for e in expected if e[0] == "pc" and "not-answering" in e[3:]}
last_phase = {e[1]: e[2] for e in expected if e[0] == "pc"}
held = [(e[1], int(e[2]), int(e[3])) for e in expected if e[0] == "held"]
last_write = {p.stem: p.stat().st_mtime * 1000 for p in (hall / "Salon").glob("*.txt")}
words = {"waiting": "Aday bekleniyor", "ready": "Hazır", "countdown": "Başlıyor", "running": "Sınavda",
         "stopped": "Durduruldu", "time-up": "Süre bitti", "results": "Sonuçlar ekranda"}

def times(path):  # the state files' times of change as the script saw them, in ms
    return {n[:-len(".txt")]: float(t) * 1000 for n, t in (l.split() for l in path.read_text().splitlines())}

def rows(path):
    return {r[0][len("PC1 - ("):-1]: r for r in (l.split("\t") for l in path.read_text(encoding="utf-8").splitlines())}

snapshots = sorted((int(p.stem), rows(p), (hall / "seen" / f"{p.stem}.status").read_text(encoding="utf-8"))
                   for p in (hall / "seen").glob("*.rows"))
changed = {int(p.stem): times(p) for p in (hall / "seen").glob("*.times")}
start = snapshots[0][0]

# A PC in its exam writes every 2 s. One whose own file stood 7 s unchanged within the 3 s before the console called
# it silent went silent itself, and the console was right: the simulated PCs share one machine, whose load holds up
# their writers, and a write refused while the console reads the file waits for the PC's next state (the simulator's
# log names the refused writes and its own hold-ups).
def went_silent(pc, at):
    return any(s - t.get(pc, s) >= 7000 for s, t in changed.items() if at - 3000 <= s <= at)

# A reading of the console takes a while, longer on a loaded machine: a PC shown not answering in one reading went so
# after the one before, where it was last shown answering.
first_silent, last_answering, named_held, during_hold = {}, {}, 0, 0
for at, shown, status in snapshots:
    if at - start > 15000:
        assert len(shown) == 100, f"{len(shown)} PCs shown at {at - start} ms"
    for pc, row in shown.items():
        if row[1].startswith("Yanıt vermiyor") and pc not in killed and went_silent(pc, at):
            print(f"{pc}, not killed, was itself silent when shown not answering at {at - start} ms")
        elif row[1].startswith("Yanıt vermiyor") and pc not in killed:
            history = "\n".join(f"{a - start} {s.get(pc)}" for a, s, _ in snapshots if abs(a - at) < 20000)
            raise AssertionError(f"{pc} shown not answering at {at - start} ms, but it was never killed:\n{history}")
        if row[1].startswith("Yanıt vermiyor"):
            first_silent.setdefault(pc, at)
        elif pc not in first_silent:
            last_answering[pc] = at
    holding = [f for f, since, until in held if since + 2000 <= at <= until - 1000]
    if holding and "bilgisayar" in status:  # a reading shown
        during_hold += 1
        named_held += any(f"{f} okunam" in status for f, _, _ in held)
for pc in killed:
    assert pc in first_silent, f"{pc} was killed but never shown not answering"
    late = last_answering[pc] - last_write[pc]
    assert late <= 13000, f"{pc} still shown answering {late:.0f} ms after its last write"
print(f"{len(killed)} PCs killed, each shown not answering between "
      f"{max((last_answering[pc] - last_write[pc] for pc in killed), default=0) / 1000:.1f} s and "
      f"{max((first_silent[pc] - last_write[pc] for pc in killed), default=0) / 1000:.1f} s at most after its last write")
assert named_held == during_hold, f"a held file named in {named_held} of {during_hold} readings while one was held"
print(f"{len(held)} day files held, one of them named in each of the {during_hold} readings while held")

final = snapshots[-1][1]
for pc, phase in last_phase.items():
    want = "Yanıt vermiyor" if pc in killed else words[phase]
    assert final[pc][1].startswith(want), f"{pc} shown as '{final[pc][1]}', not '{want}'"
print("every PC shows the phase it wrote last")

candidate_of = {r[14]: r[4] for f in hall.glob("*.csv")
                for r in list(csv.reader(f.read_text(encoding="utf-8-sig").splitlines(), delimiter=";"))[1:]}
lines = [e[2] for e in expected if e[0] == "line"]
shown = sorted(l.split("\t")[1] for l in (hall / "results.rows").read_text(encoding="utf-8").splitlines())
assert shown == sorted(candidate_of[exam] for exam in lines), f"{len(shown)} results shown for {len(lines)} lines"
print(f"the results list: {len(shown)} lines, each once")
PY
echo PASS
