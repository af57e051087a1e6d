# shellcheck shell=bash
# The folder an end-to-end script runs PC1.exe in, as an installation has it: the program beside the sample text and
# a settings file in which the settings program has set this build tree's sequence. Source it; it needs WINDOWS_BUILD,
# BIN, ROOT and WINE_ENV.

# The supervisor's sequence of this build tree's tests, which drew it or was given it at configure time.
supervisor_sequence() { sed -n 's/^PC1_SUPERVISOR_SEQUENCE:STRING=//p' "$WINDOWS_BUILD/CMakeCache.txt"; }
supervisor_digits() { supervisor_sequence | grep -o .; }  # one a line

# Makes RUN_DIR, with the given settings file if any; fails when the settings program does.
make_run_folder() {  # [PC1.ini]
    RUN_DIR=$(mktemp -d "${TMPDIR:-/tmp}/pc1-e2e.XXXXXX")
    cp "$BIN/PC1.exe" "$BIN/PC1Ayar.exe" "$ROOT/resources/Metin.rtf" "$RUN_DIR/"
    [ -z "${1:-}" ] || cp "$1" "$RUN_DIR/PC1.ini"
    (cd "$RUN_DIR" && "${WINE_ENV[@]}" wine PC1Ayar.exe "/SIRA=$(supervisor_sequence)")
}
