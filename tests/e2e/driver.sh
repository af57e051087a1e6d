# shellcheck shell=bash
# Drives a real PC1.exe under Wine with X keyboard and mouse input, and reads its windows back through the inspect
# helper. The end-to-end scripts source it with the Windows build tree as its argument; they need the X display and
# the warm wine server that ./test starts.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"
WINDOWS_BUILD=$1

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    echo "no X display: run through ./test" >&2
    exit 1
fi
BIN=$WINDOWS_BUILD/bin
WINE_ENV=(env LC_ALL="${PC1_LOCALE:-tr_TR.UTF-8}" LOCPATH="$LOCALE_DIR")
SHOTS=$WINDOWS_BUILD/e2e-screenshots
PC1_PID=
RUN_DIR=

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

expect_eq() {  # what, actual, expected
    [ "$2" = "$3" ] || fail "$1: expected '$3', got '$2'"
}

expect_within() {  # what, value, low, high
    (($3 <= $2 && $2 <= $4)) || fail "$1: $2 is not within $3..$4"
}

now_ms() { date +%s%3N; }

inspect() { "${WINE_ENV[@]}" wine "$BIN/inspect.exe" "$@"; }

# Waits for a control to show what is expected: its text, or a list box's items one a line. Keys are taken in order,
# so once a key typed last has arrived, everything pressed before it has been dealt with.
expect_shown() {  # text or items, target, expected
    local _ shown
    for _ in $(seq 50); do
        shown=$(inspect "$1" "$2")
        [ "$shown" = "$3" ] && return
        sleep 0.1
    done
    fail "$2 shows '$shown', not '$3'"
}

expect_text() { expect_shown text "$@"; }  # target, text

# The words typed so far, as the exam window lists them beside the sample while the candidate types: the program's own
# reading of the typing area. The typing area is an ANSI control, whose text reaches another process through the
# ANSI code page, which under 1252 turns ş ı ğ İ into s i g I; the list has every letter as the program holds it.
expect_typed_words() { expect_shown items TSinavForm.MetinListBox "$(printf '%s\n' "$@")"; }  # words

# The supervisor's sequence of this build tree's tests, which drew it or was given it at configure time.
supervisor_sequence() { tests_sequence "$WINDOWS_BUILD"; }
supervisor_digits() { supervisor_sequence | grep -o .; }  # one a line

# Starts PC1.exe in a fresh folder beside the sample text and the given settings file if any, in which the settings
# program sets the tests' sequence; whatever happens, it ends with the script.
start_program() {  # [PC1.ini]
    RUN_DIR=$(mktemp -d "${TMPDIR:-/tmp}/pc1-e2e.XXXXXX")
    cp "$BIN/PC1.exe" "$BIN/PC1Ayar.exe" "$ROOT/resources/Metin.rtf" "$RUN_DIR/"
    [ -z "${1:-}" ] || cp "$1" "$RUN_DIR/PC1.ini"
    set_tests_sequence "$RUN_DIR" "$WINDOWS_BUILD" || fail "PC1Ayar.exe /SIRA= ended with $?"
    run_program "$RUN_DIR"
}

# Starts the PC1.exe of a folder that holds it; whatever happens, it ends with the script.
run_program() {
    (cd "$1" && exec "${WINE_ENV[@]}" wine PC1.exe) &
    PC1_PID=$!
    trap stop_program EXIT
    inspect wait TGirisForm 60 || fail "no entry dialog within 60 s"
}

stop_program() {
    [ -n "$PC1_PID" ] && kill -9 "$PC1_PID" 2>/dev/null
    rm -rf "$RUN_DIR"
}

# The program must end within ten seconds, with this exit code.
expect_exit_code() {
    local _ code=0
    for _ in $(seq 100); do
        kill -0 "$PC1_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$PC1_PID" 2>/dev/null && fail "PC1 still runs ten seconds after it was closed"
    wait "$PC1_PID" || code=$?
    PC1_PID=
    expect_eq "exit code" "$code" "$1"
}

GATE_PID=
GATE_DIR=
# The spooler behind spooler-gate.py, for the Wine processes started after start_spooler_gate (CUPS_SERVER, which
# libcups reads): hold_spooler keeps what they send from cupsd until release_spooler.
start_spooler_gate() {
    GATE_DIR=$(mktemp -d "${TMPDIR:-/tmp}/pc1-gate.XXXXXX")
    exec {GATE_FD}< <(exec python3 "$ROOT/tests/e2e/spooler-gate.py" "$GATE_DIR/cups.sock" /run/cups/cups.sock)
    GATE_PID=$!
    read -r -u "$GATE_FD" _ || fail "the spooler's gate did not start"
    WINE_ENV+=(CUPS_SERVER="$GATE_DIR/cups.sock")
}
hold_spooler() { kill -USR1 "$GATE_PID" && read -r -u "$GATE_FD" _; }
release_spooler() { kill -USR2 "$GATE_PID" && read -r -u "$GATE_FD" _; }
stop_spooler_gate() {
    [ -n "$GATE_PID" ] && kill "$GATE_PID" 2>/dev/null
    [ -z "$GATE_DIR" ] || rm -rf "$GATE_DIR"
}

click() {  # target, mouse button (the left one unless given)
    local rect left top right bottom
    rect=$(inspect rect "$1") || fail "no $1 to click (inspect ended with $?)"
    read -r left top right bottom <<<"$rect"
    xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)) click "${2:-1}"
}

# Types into the focused field and confirms it with Enter, as a candidate fills in the entry dialog.
type_field() {
    xdotool type --delay 40 "$1"
    xdotool key Return
}

# Keys pressed one after another while Alt is held.
keys_with_alt() { xdotool keydown alt key "$@" keyup alt; }

# The screen, or only the rectangle of a target window.
shoot() {  # name, [target]
    local crop=() rect left top right bottom
    if [ -n "${2:-}" ]; then
        rect=$(inspect rect "$2") || fail "no $2 to shoot (inspect ended with $?)"
        read -r left top right bottom <<<"$rect"
        crop=(-crop "$((right - left))x$((bottom - top))+$left+$top" +repage)
    fi
    mkdir -p "$SHOTS"
    import -window root "${crop[@]}" "$SHOTS/$1.png"
    echo "screenshot: $SHOTS/$1.png"
}
