#!/usr/bin/env bash
# A candidate who runs another program beside PC1 can neither change their text or result, nor end, restart or close
# the exam, nor hide or move the exam window, nor take the keyboard from it. tamper.exe tries every route it has
# before the exam, during the start countdown, while the candidate types and after the results show; after each try
# the script checks from outside that nothing changed, and after the routes that would take the candidate's keys
# elsewhere, that the candidate's next word still reaches the end of the typed text. The candidate types words of
# the sample with real keys, Turkish letters among them, and the supervisor's sequence stops the clock for a while:
# the exam must then run its full time, no more, though tamper floods PC1's queue over the end and asks the time-up
# dialog to close. About five minutes; screenshots of the remaining time go to WINDOWS_BUILD_TREE/e2e-screenshots.
# Usage: tamper.sh WINDOWS_BUILD_TREE
set -euo pipefail
source "$(dirname "$0")/driver.sh"
use_windows_build "$1"
use_own_machine

# Words of the sample with every Turkish lower-case letter, and İ, which xdotool types as it is.
WORDS=(coşar ırmak söğütlerin geçen köprünün ışıklar İnsanlarının)
# Typed after each route of the typing list, in turn.
NEXT_WORDS=(taze peynir zeytin sohbet yanar bilir kim)
EXAM_MS=180000

tamper() { run_in_wine "$BIN/tamper.exe" "$@"; }

# What no other program may change: the typed text, the sample, the results and whether the exam has ended, read in
# one look, since the routes of a phase must all be tried before the exam's time is up. The texts come through the
# ANSI code page, which may drop the marks of Turkish letters but shows any change. Fails when a read does, which says
# nothing of a change.
read_state() { inspect exam-state; }

# A read that failed (the inspector gives up on a window's thread after 5 s) is tried once more a second later.
state() { read_state || { sleep 1 && read_state; } || fail "cannot read PC1's state"; }

# Whether the exam window covers the screen within a second; else where it is. A read that failed (the inspector
# printed no state, only its error) is tried once more a second later, as the state's reads are.
covers_the_screen() {
    local where
    where=$(inspect covers TSinavForm 1 2>&1) && return 0
    if [[ "$where" != visible* ]]; then
        sleep 1
        where=$(inspect covers TSinavForm 1 2>&1) && return 0
    fi
    echo "$where"
    return 1
}

# Runs every route of a phase and after each the candidate's action, if one is given; then PC1 must still run, its
# exam window cover the screen within a second and its state be as before. Every route is tried and judged on what
# it changes itself; the phase fails with all the routes that got through.
try_routes() {  # phase, [the candidate's action]
    local routes route expected actual where failures=()
    routes=$(tamper list "$1") || fail "tamper has no routes for the $1 phase"
    expected=$(state)
    for route in $routes; do
        tamper "$route" || fail "tamper $route ended with $?"
        "${@:2}"
        sleep 0.3  # posted messages take effect once PC1 comes to them
        kill -0 "$PC1_PID" 2>/dev/null || fail "PC1 ended after $route${failures[*]:+; before, these got through:${failures[*]}}"
        where=$(covers_the_screen) || failures+=("
  $route: exam window $where")
        actual=$(state)
        [ "$actual" = "$expected" ] && continue
        failures+=("
  $route: $({ diff <(echo "$expected") <(echo "$actual") || true; } | sed -n 's/^> //p' | paste -sd ';')")
        expected=$actual
    done
    [ ${#failures[@]} -eq 0 ] || fail "routes that got through in the $1 phase:${failures[*]}"
}

# A real click and key in the typing area, which type if another program made it writable again.
candidate_types() {
    click TSinavForm.Yazilan
    xdotool key x
}

# Each route that would take the candidate's keys elsewhere (the focus, the caret, the foreground) runs while the
# candidate types the next word with real keys, which must land at the end of the typed text. The candidate types
# once the route has taken hold (it says so, or has ended), as long after as PC1 has on an idle machine: on a loaded
# one tamper's own start takes seconds.
route_acted() { grep -q '^acted' "$RUN_DIR/route.log" || process_ended "$1"; }  # tamper's process
try_typing_routes() {
    local route pid i=0
    for route in $(tamper list typing); do
        tamper "$route" >"$RUN_DIR/route.log" &
        pid=$!
        wait_until 30 "tamper $route to take hold" route_acted "$pid" || fail "tamper $route did not take hold"
        sleep 0.7
        xdotool type --delay 60 "${NEXT_WORDS[i]} "
        TYPED+=("${NEXT_WORDS[i++]}")
        (expect_typed_words "${TYPED[@]}") || fail "the candidate's word went astray after $route"
        wait "$pid" || fail "tamper $route ended with $?"
    done
}

panel_changes() {  # first shot, second shot
    ! compare -metric AE "$SHOTS/$1.png" "$SHOTS/$2.png" null: 2>/dev/null
}

RECORDS=$(mktemp -d "${TMPDIR:-/tmp}/pc1-records.XXXXXX")
printf 'TutanakKlasoru=Z:%s\r\n' "${RECORDS//\//\\}" >"$RECORDS/PC1.ini"
on_exit 'rm -rf "$RECORDS"'
start_program "$RECORDS/PC1.ini"
inspect clipboard "yapistir" || fail "cannot put text on the clipboard"
enter_candidate 21 şule ılgaz
try_routes ready

# The watch, which times the exam from outside, waits for the start countdown.
watch_log=$RUN_DIR/watch.log
inspect watch >"$watch_log" 2>&1 &
watch_pid=$!
on_exit 'kill "$watch_pid" 2>/dev/null'
click TSinavForm.Baslat
inspect wait TSinavForm.BaslaPanel 5 || fail "no start countdown"
try_routes countdown

# The first key released starts the exam clock.
clock_started=$(now_ms)
xdotool type --delay 60 "${WORDS[*]} "
TYPED=("${WORDS[@]}")
expect_typed_words "${TYPED[@]}"
try_routes exam

# An auto-typer posts the sample's characters while the candidate presses only keys that type nothing.
typed_before=$(state)
tamper typist 4000 &
typist_pid=$!
xdotool key --repeat 60 --delay 20 shift ctrl Scroll_Lock Scroll_Lock
wait "$typist_pid" || fail "the typist ended with $?"
typed_after=$(state)
expect_eq "state after the keys that type nothing" "$typed_after" "$typed_before"

# The caret back at the end of the text, wherever the routes left the focus.
click_field TSinavForm.Yazilan
xdotool key ctrl+End
try_typing_routes
shoot clock-running-1 TSinavForm.SurePanel
sleep 2
shoot clock-running-2 TSinavForm.SurePanel
panel_changes clock-running-1 clock-running-2 || fail "the remaining time stands still while the exam runs"

# The clock stands from the sequence's last digit until a key of the candidate's is released, and Alt and the
# digits have been released before the first shot.
mapfile -t digits < <(supervisor_digits)
keys_with_alt "${digits[@]}"
stopped=$(now_ms)
inspect wait TSinavForm.KapatBtn 2 || fail "no close button after the supervisor's sequence"
shoot clock-stopped-1 TSinavForm.SurePanel
sleep 5
shoot clock-stopped-2 TSinavForm.SurePanel
panel_changes clock-stopped-1 clock-stopped-2 && fail "the remaining time went on after the supervisor's sequence"
xdotool key b
stopped_ms=$(($(now_ms) - stopped))
xdotool type --delay 60 "al "
TYPED+=(bal)
expect_typed_words "${TYPED[@]}"
shoot clock-resumed-1 TSinavForm.SurePanel
sleep 2
shoot clock-resumed-2 TSinavForm.SurePanel
panel_changes clock-resumed-1 clock-resumed-2 || fail "the remaining time stands still after a key"

# Over the end, another program asks the time-up dialog to close from its first moment on, and floods PC1's queue
# with WM_NULL from three seconds before the end of the running clock to one second after it.
sleep_until_clock() {  # milliseconds of running clock
    local ms=$((clock_started + stopped_ms + $1 - $(now_ms)))
    ((ms <= 0)) || sleep "$((ms / 1000)).$(printf '%03d' $((ms % 1000)))"
}
sleep_until_clock $((EXAM_MS - 10000))
tamper close-time-up-dialog &
closer_pid=$!
sleep_until_clock $((EXAM_MS - 3000))
tamper flood || fail "tamper flood ended with $?"
wait "$closer_pid" || fail "tamper close-time-up-dialog ended with $?"

wait "$watch_pid" || fail "the watch failed: $(cat "$watch_log")"
inspect wait TSinavForm.GroupBox1 10 || fail "no results"
ended_ms=$(sed -n 's/^ended_ms=//p' "$watch_log")
dialog_ms=$(sed -n 's/^dialog_ms=//p' "$watch_log")
echo "the exam ended $ended_ms ms after its clock started, $stopped_ms ms of it stopped by the supervisor;" \
    "the time-up dialog stayed $dialog_ms ms"
expect_within "running time of the exam" $((ended_ms - stopped_ms)) $((EXAM_MS - 1000)) $((EXAM_MS + 1000))
expect_within "time the time-up dialog stayed" "$dialog_ms" 4500 6000
expect_eq "keys taken after the end" "$(sed -n 's/^late_keys=//p' "$watch_log")" 0
expect_eq "correct words" "$(inspect items TSinavForm.DogruListBox)" "$(printf '%s\n' "${TYPED[@]}")"
expect_eq "wrong words" "$(inspect items TSinavForm.YanlisListBox)" ""
# The record says the clock ran from its start to the end of its running time, the supervisor's stop included.
python3 - "$RECORDS" $(((EXAM_MS + stopped_ms + 500) / 1000)) <<'PY' || fail "the record's times are not the clock's"
import csv, datetime, pathlib, sys
(records,) = pathlib.Path(sys.argv[1]).glob("*.csv")
row = list(csv.reader(records.read_text(encoding="utf-8-sig").splitlines(), delimiter=";"))[1]
start, end = (datetime.datetime.strptime(t, "%H:%M:%S") for t in row[1:3])
lasted = (end - start).seconds
print(f"the record: from {row[1]} to {row[2]}, {lasted} s")
assert abs(lasted - int(sys.argv[2])) <= 1, (lasted, sys.argv[2])
PY

try_routes results candidate_types
results=$(state)
click_field TSinavForm.Yazilan
xdotool key ctrl+z
sleep 0.3
after_undo=$(state)
expect_eq "state after Ctrl+Z in the results" "$after_undo" "$results"

# The close button went when the clock ran again; the supervisor's sequence shows it between exams.
[ "$(inspect visible TSinavForm.KapatBtn)" = 0 ] || fail "the close button stayed after the clock ran again"
keys_with_alt "${digits[@]}"
inspect wait TSinavForm.KapatBtn 5 || fail "no close button after the supervisor's sequence in the results"
click TSinavForm.KapatBtn
expect_exit_code 0
echo PASS
