# shellcheck shell=bash
# The end-to-end scripts' harness: drives a real PC1.exe under Wine with X keyboard and mouse input, and reads its
# windows back through the inspect helper. Sourcing it only defines; a script then names its Windows build tree with
# use_windows_build. What drives the program needs an X display and the warm wine server that ./test starts, and
# fails at once, saying so, when there is no display.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"

WINE_ENV=(env LC_ALL="${PC1_LOCALE:-tr_TR.UTF-8}" LOCPATH="$LOCALE_DIR")
PC1_PID=
RUN_DIR=
DISPLAY_CHECKED=
EXIT_ACTIONS=()

# The build tree whose programs the functions run; the screenshots go into it unless SHOTS is set afterwards. The
# script and all it starts go before the machine's other work where they may (as root): an exam is timed to the
# millisecond, as on a PC that runs the exam and little else, and on a build machine shared with compilers its end
# came up to 150 ms late.
use_windows_build() {  # Windows build tree
    WINDOWS_BUILD=$(realpath "$1")
    BIN=$WINDOWS_BUILD/bin
    SHOTS=$WINDOWS_BUILD/e2e-screenshots
    renice -n -5 -p $$ >/dev/null 2>&1 || true
}

# Adds a command line, as trap takes one, to what runs when the script ends however it ends, before the lines added
# earlier. A line already there is not added again.
on_exit() {
    local action
    for action in "${EXIT_ACTIONS[@]}"; do [ "$action" = "$1" ] && return; done
    EXIT_ACTIONS=("$1" "${EXIT_ACTIONS[@]}")
    trap 'for action in "${EXIT_ACTIONS[@]}"; do eval "$action" || true; done' EXIT
}

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

# Each display is asked once: an X server starts afresh whenever its last client leaves, and for that moment refuses
# the next one.
require_display() {
    [ -n "${DISPLAY:-}" ] && [ "$DISPLAY" = "$DISPLAY_CHECKED" ] && return
    display_answers || fail "no X display (DISPLAY='${DISPLAY:-}') to drive PC1 on: run through ./test, which starts one"
    DISPLAY_CHECKED=$DISPLAY
}

process_ended() { ! kill -0 "$1" 2>/dev/null; }

# A Windows program in the locale of the test (PC1_LOCALE), which sets its ANSI code page. Wine's own errors, which
# WINEDEBUG=-all hides, are kept aside: when the program fails they follow what it said itself, so that a helper that
# ends with nothing of its own said still shows what Wine saw (a fault, the X display or the wine server lost).
run_in_wine() {  # program, arguments...
    require_display
    local errors code=0
    errors=$(mktemp "${TMPDIR:-/tmp}/pc1-wine-errors.XXXXXX")
    "${WINE_ENV[@]}" WINEDEBUG=-all,err+all wine "$@" 2>"$errors" || code=$?
    ((code == 0)) || cat "$errors" >&2
    rm -f "$errors"
    return "$code"
}

inspect() { run_in_wine "$BIN/inspect.exe" "$@"; }

shows() { [ "$(inspect "$1" "$2")" = "$3" ]; }  # what inspect reads (text, items, enabled, focused), target, expected

# Waits for a control to show what is expected: its text, or a list box's items one a line. Keys are taken in order,
# so once a key typed last has arrived, everything pressed before it has been dealt with.
expect_shown() {  # text or items, target, expected
    require_display  # here, since wait_until drops what the condition says
    wait_until 10 "$2 to show '$3'" shows "$@" || fail "$2 shows '$(inspect "$1" "$2")'"
}

expect_text() { expect_shown text "$@"; }  # target, text

# The words typed so far, as the exam window lists them beside the sample while the candidate types: the program's own
# reading of the typing area. The typing area is an ANSI control, whose text reaches another process through the
# ANSI code page, which under 1252 turns ş ı ğ İ into s i g I; the list has every letter as the program holds it.
expect_typed_words() { expect_shown items TSinavForm.MetinListBox "$(printf '%s\n' "$@")"; }  # words

# The supervisor's sequence of this build tree's tests, which drew it or was given it at configure time.
supervisor_sequence() { tests_sequence "$WINDOWS_BUILD"; }
supervisor_digits() { supervisor_sequence | grep -o .; }  # one a line

# The journals of the prefix's PC1, where an exam under way is kept until its record is.
journal_folder() { echo "$WINEPREFIX/drive_c/ProgramData/PC1/Gunluk"; }

# A fresh folder for PC1.exe beside the sample text and the given settings file if any, in which the settings program
# sets the tests' sequence. An exam that an earlier script left unfinished in the prefix is forgotten: its journal
# would greet this one's program instead of the entry dialog.
prepare_program() {  # [PC1.ini]
    require_display
    on_exit stop_program
    RUN_DIR=$(mktemp -d "${TMPDIR:-/tmp}/pc1-e2e.XXXXXX")
    cp "$BIN/PC1.exe" "$BIN/PC1Ayar.exe" "$ROOT/resources/Metin.rtf" "$RUN_DIR/"
    [ -z "${1:-}" ] || cp "$1" "$RUN_DIR/PC1.ini"
    set_tests_sequence "$RUN_DIR" "$WINDOWS_BUILD" || fail "PC1Ayar.exe /SIRA= ended with $?"
    rm -rf "$(journal_folder)"
}

# The words of Metin.rtf: its text without the markup, decoded from Windows-1254, cut at everything but letters.
sample_words() {
    sed -e '/^{\\rtf/d' -e 's/\\[a-z]\+-\?[0-9]* \?//g' -e 's/[{}]//g' \
        -e "s/\\\\'\([0-9a-f][0-9a-f]\)/\\\\x\1/g" "$ROOT/resources/Metin.rtf" |
        while IFS= read -r line; do printf '%b\n' "$line"; done |
        iconv -f CP1254 -t UTF-8 | sed 's/[^[:alpha:]]\+/\n/g' | grep .
}

# Starts PC1.exe as prepare_program leaves it and waits for its entry dialog; whatever happens, it ends with the
# script.
start_program() {  # [PC1.ini]
    prepare_program "$@"
    run_program "$RUN_DIR"
}

# Starts the PC1.exe of a folder that holds it and waits for its first window, the entry dialog unless another is
# named; whatever happens, it ends with the script.
run_program() {  # folder, [window class]
    require_display
    on_exit stop_program
    (cd "$1" && exec "${WINE_ENV[@]}" wine PC1.exe) &
    PC1_PID=$!
    inspect wait "${2:-TGirisForm}" 60 || fail "no ${2:-TGirisForm} within 60 s"
}

# Ends the program, if it still runs, and removes the folder start_program made for it.
stop_program() {
    if [ -n "$PC1_PID" ]; then
        kill -9 "$PC1_PID" 2>/dev/null || true
        wait "$PC1_PID" 2>/dev/null || true
    fi
    PC1_PID=
    if [ -n "$RUN_DIR" ]; then rm -rf "$RUN_DIR"; fi
    RUN_DIR=
}

# From the next wine server on, a prefix of the script's own, copied afresh from the shared one (made first if it is
# missing): PC1's journals, its windows and the exams under way are a prefix's, and a script may change what others
# rely on (its density, its server's life).
use_prefix_copy() {  # name in the build folder
    WINEPREFIX=$BUILD/wine-prefix ensure_wine_prefix
    export WINEPREFIX=$BUILD/$1
    copy_prefix "$BUILD/wine-prefix" "$WINEPREFIX"
}

# The name of what runs: the test's as ctest gives it, or the script's.
MACHINE=${PC1_TEST_NAME:-$(basename "$0" .sh)}

# A machine of the script's own, so that scripts run side by side: a prefix copied for it with a warm wine server,
# and an X display whose keyboard and mouse no other script drives. Both end with the script.
use_own_machine() {
    use_prefix_copy "wine-prefix-$MACHINE"
    unset DISPLAY
    ensure_display || fail "no X display"
    on_exit stop_display
    start_wineserver
    on_exit stop_wineserver
}

# A PDF queue of the script's own on the spooler, which the Wine processes it starts take as the Windows default
# printer (libcups takes PRINTER as the user's default): its PDFs land in PDF_DIR, apart from other scripts' prints.
# The queue is made once and kept. Its cups-pdf instance, whose settings are the machine's, is named after the build
# tree as well, which other build trees' spoolers may print through at the same time.
use_own_print_queue() {
    start_spooler || return 1
    export PRINTER=${MACHINE//[^A-Za-z0-9-]/-}
    PDF_DIR=$BUILD/pdf/$MACHINE
    rm -rf "$PDF_DIR"
    mkdir -p "$PDF_DIR"
    local instance
    instance=pc1-$(cksum <<<"$BUILD" | cut -d' ' -f1)-$PRINTER
    printf '%s\n' "Out $PDF_DIR" "Grp lpadmin" "DecodeHexStrings 1" >"/etc/cups/cups-pdf-$instance.conf" || return 1
    add_pdf_queue "$PRINTER" "cups-pdf:/$instance"
}

# The program must end within ten seconds, with this exit code.
expect_exit_code() {
    local code=0
    wait_until 10 "PC1 to end after it was closed" process_ended "$PC1_PID" || exit 1
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
    exec {GATE_FD}< <(exec python3 "$ROOT/tests/e2e/spooler-gate.py" "$GATE_DIR/cups.sock" "$CUPS_SERVER")
    GATE_PID=$!
    read -r -t 10 -u "$GATE_FD" _ || fail "the spooler's gate did not say ready within 10 s"
    WINE_ENV+=(CUPS_SERVER="$GATE_DIR/cups.sock")
}
hold_spooler() { kill -USR1 "$GATE_PID" && read -r -t 10 -u "$GATE_FD" _ || fail "the spooler's gate did not hold"; }
release_spooler() {
    kill -USR2 "$GATE_PID" && read -r -t 10 -u "$GATE_FD" _ || fail "the spooler's gate did not release"
}
stop_spooler_gate() {
    [ -n "$GATE_PID" ] && kill "$GATE_PID" 2>/dev/null
    [ -z "$GATE_DIR" ] || rm -rf "$GATE_DIR"
}

# Types into the focused field of the entry dialog, which must then hold the text as the candidate entered it.
type_entry_field() {  # target, text
    xdotool type --delay 40 "$2"
    wait_until 5 "$1 to hold '$2'" shows text "$1" "$2" || fail "$1 holds '$(inspect text "$1")', not '$2'"
}

# Waits until a field has the focus, before keys meant for it: under Wine a key goes to the window that had the focus
# when the program read the key from X, which a loaded program may do before it has dealt with the Enter or the click
# that moves the focus (Windows gives a key to the window that has the focus when the program takes the key).
expect_focus() {  # target
    wait_until 10 "$1 to take the focus" shows focused "$1" 1 || fail "$1 did not take the focus"
}

# Enter in a field of the entry dialog, which moves the focus to the next one.
enter_to() {  # the field that Enter focuses
    xdotool key Return
    expect_focus "$1"
}

# Fills in the entry dialog as a candidate does, all but the last Enter, which closes it (confirm_entry).
fill_entry_dialog() {  # number, name, surname
    inspect wait TGirisForm 10 || fail "no entry dialog"
    type_entry_field TGirisForm.Adayno "$1"
    enter_to TGirisForm.Adi
    type_entry_field TGirisForm.Adi "$2"
    enter_to TGirisForm.Soyadi
    type_entry_field TGirisForm.Soyadi "$3"
}

confirm_entry() {
    xdotool key Return
    inspect wait TSinavForm 10 || fail "no exam window after the entry"
}

enter_candidate() {  # number, name, surname
    fill_entry_dialog "$@"
    confirm_entry
}

click() {  # target, mouse button (the left one unless given)
    local rect left top right bottom
    rect=$(inspect rect "$1") || fail "no $1 to click (inspect ended with $?)"
    read -r left top right bottom <<<"$rect"
    xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)) click "${2:-1}"
}

# A click into a field that keys then go to.
click_field() {  # target
    click "$1"
    expect_focus "$1"
}

# Keys pressed one after another while Alt is held.
keys_with_alt() {
    require_display
    xdotool keydown alt key "$@" keyup alt
}

# The screen, or only the rectangle of a target window.
shoot() {  # name, [target]
    require_display
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

# The newest PDF that the script's queue wrote after a file was last changed.
newest_pdf_since() {  # file
    find "$PDF_DIR" -maxdepth 1 -name '*.pdf' -newer "$1" -printf '%T@ %p\n' 2>/dev/null | sort -n | tail -n1 |
        cut -d' ' -f2-
}

# A PDF exists before it is complete: it is whole once the queue holds no job.
pdf_printed_since() { [ -n "$(newest_pdf_since "$1")" ] && [ -z "$(lpstat -o "$PRINTER" 2>/dev/null)" ]; }  # file

# Waits for the PDF of a job printed after a file was last changed, and prints its path.
wait_for_pdf() {  # file, seconds
    wait_until "$2" "a PDF printed after $1 was changed" pdf_printed_since "$1" || return 1
    newest_pdf_since "$1"
}
