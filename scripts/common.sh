# Shared by ./run and ./test: paths, builds, the Wine prefix and the X display. Source it, don't run it.
# The scripts themselves stay in C.UTF-8: in a Turkish shell printf, grep -i and case changes behave differently.
export LC_ALL=C.UTF-8
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=$ROOT/build
JOBS=$(nproc)

export WINEPREFIX=$BUILD/wine-prefix
export WINEARCH=win64
export WINEDEBUG=-all
# No installer dialogs for .NET or Gecko, and no desktop menu entries made for what the tests install.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
LOCALE_DIR=$BUILD/locale

now_ms() { date +%s%3N; }

# Tries a command every tenth of a second until it succeeds, for at most the given seconds; then says what it waited
# for in vain and returns 1. The command's output is dropped: a condition answers only yes or no.
wait_until() {  # seconds, what is awaited, command...
    local seconds=$1 awaited=$2 deadline
    deadline=$(($(now_ms) + seconds * 1000))
    shift 2
    until "$@" >/dev/null 2>&1; do
        if (($(now_ms) >= deadline)); then
            echo "waited $seconds s in vain for $awaited" >&2
            return 1
        fi
        sleep 0.1
    done
}

build_native() {
    cmake -S "$ROOT" -B "$BUILD/native" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$BUILD/native" -j "$JOBS"
}

# Configures the Windows tree with the given options and builds it whole, or only the targets in BUILD_TARGETS.
build_windows() {
    cmake -S "$ROOT" -B "$BUILD/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" -DPC1_LOCALE_DIR="$LOCALE_DIR" "$@" >/dev/null
    # shellcheck disable=SC2086 # the targets are words
    cmake --build "$BUILD/windows" -j "$JOBS" ${BUILD_TARGETS:+--target $BUILD_TARGETS}
}

# Wine picks code page 1254 from LC_ALL=tr_TR.UTF-8 but reads Unix text as ASCII unless glibc has the
# locale, so it is compiled once into the build tree and handed to Wine's processes through LOCPATH.
ensure_turkish_locale() {
    [ -d "$LOCALE_DIR/tr_TR.UTF-8" ] && return
    mkdir -p "$LOCALE_DIR"
    localedef -i tr_TR -f UTF-8 "$LOCALE_DIR/tr_TR.UTF-8"
}

# Windows faces mapped to installed ones with the same metrics. Microsoft Sans Serif, the program's stand-in for
# the bitmap MS Sans Serif, gets the narrow Liberation face: its widths are the designed ones, which the wider
# faces overrun where labels stand close together.
WINE_FONT_REPLACEMENTS=("Arial=Liberation Sans" "Times New Roman=Liberation Serif" "Courier New=Liberation Mono"
                        "Palatino Linotype=Liberation Serif" "Microsoft Sans Serif=Liberation Sans Narrow")

# A prefix of our own: no window manager under Xvfb (Managed=N, otherwise closing a captioned window freezes
# Wine for 2 s), Wine's bitmap fonts, and the face replacements above. Created once; the settings are applied
# again whenever they change.
ensure_wine_prefix() {
    local settings="no crash dialog; ${WINE_FONT_REPLACEMENTS[*]}"
    [ "$(cat "$WINEPREFIX/.pc1-ready" 2>/dev/null)" = "$settings" ] && return
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Setting up the Wine prefix in $WINEPREFIX"
        wineboot --init >/dev/null 2>&1 </dev/null
        wineserver -w
    fi
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # A crashing program must end, not wait for a person at Wine's crash dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    local face
    for face in "${WINE_FONT_REPLACEMENTS[@]}"; do
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%=*}" /d "${face#*=}" /f >/dev/null 2>&1
    done
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    wineserver -w
    echo "$settings" > "$WINEPREFIX/.pc1-ready"
}

# A fresh copy of a prefix whose wine server has ended. The DLLs, some 650 MB that Wine only reads once a prefix is
# made, are linked rather than copied; every other file is copied, since Wine writes some in place (win.ini when it
# lists the printers).
copy_prefix() {  # prefix, copy
    WINEPREFIX=$2 wineserver -k 2>/dev/null || true  # one left running by a run that was itself killed
    rm -rf "$2"
    cp -al "$1" "$2"
    find "$2" -type f ! -path "$2/drive_c/windows/winsxs/*" \
        ! \( -path "$2/drive_c/windows/system32/*" ! -path "$2/drive_c/windows/system32/*/*" \) \
        -exec sh -c 'for file; do cp -p "$file" "$file.copy" && mv "$file.copy" "$file"; done' sh {} +
}

display_answers() { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; }

XVFB_PID=
# Starts Xvfb unless a display answers (of SCREEN_SIZE, 1024x768 by default); stop_display stops it.
ensure_display() {
    display_answers && return
    start_x_server Xvfb -screen 0 "${SCREEN_SIZE:-1024x768}x24" || { echo "Cannot start Xvfb" >&2; return 1; }
    XVFB_PID=$X_SERVER_PID
    map_turkish_letters
}

# Starts an X server, given as its command without a display, and makes its display DISPLAY; X_SERVER_PID is its
# process. The server picks a free display itself (-displayfd), so that servers started side by side never take the
# same one; -noreset keeps it from starting afresh when its last client leaves, when it would refuse the next one.
start_x_server() {
    local number
    number=$(mktemp)
    "$@" -displayfd 3 -noreset -nolisten tcp 3>"$number" >/dev/null 2>&1 &
    X_SERVER_PID=$!
    if ! wait_until 10 "an X server to take a display" grep -q '^[0-9]' "$number"; then
        kill "$X_SERVER_PID" 2>/dev/null
        rm -f "$number"
        return 1
    fi
    export DISPLAY=":$(cat "$number")"
    rm -f "$number"
}

# The Turkish letters on keys of their own, as on a Turkish keyboard, and the â of the sample text on the key beside
# the left Shift, whose < and > no test types (Wine types nothing with the spare keys beyond the keyboard's own). Without them xdotool maps a spare key to each
# letter only for the moment it types it: a program that reads the key after that moment, on a busy machine, finds
# no letter on it. The map lasts only on a server that does not reset when xmodmap leaves (start_x_server). İ has a
# key alone: Wine gives a key whose first letter is i the virtual key of I, and translates it back through the I key,
# which types I with Shift.
map_turkish_letters() {
    xmodmap -e "keycode 93 = ccedilla Ccedilla" -e "keycode 97 = gbreve Gbreve" -e "keycode 103 = idotless I" \
        -e "keycode 120 = Iabovedot" -e "keycode 132 = odiaeresis Odiaeresis" -e "keycode 149 = scedilla Scedilla" \
        -e "keycode 154 = udiaeresis Udiaeresis" -e "keycode 94 = acircumflex Acircumflex"
}

stop_display() { [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; XVFB_PID=; }

# A warm wine server: without it every Wine start costs seconds, and ctest hangs when only `-p` is started. A
# niceness given runs it, and the services Wine starts with it, at that lower priority.
start_wineserver() {  # [niceness]
    nice -n "${1:-0}" wineserver -p
    nice -n "${1:-0}" wine cmd /c exit </dev/null >/dev/null 2>&1
}

stop_wineserver() { wineserver -k 2>/dev/null || true; }

# Prefixes for the Windows tests, so that several run side by side: each a copy of the shared prefix with an X display
# and a warm wine server of its own, as a test must not share a desktop, a keyboard or a journals' folder with
# another. ctest hands each test one of them, the resource wine_prefix of the file that PREFIX_SLOTS_SPEC names, and
# tests/win/in-prefix-slot.sh runs the test there. The file also holds the end-to-end machines that may run at once
# (the resource e2e_machine, PC1_E2E_MACHINES, 5 unless set): each script's wine servers and helpers take the CPU
# at their moments, two cores are soon overrun, and an exam timed to the millisecond wants it to spare. They run at a somewhat lower priority (PREFIX_SLOT_NICENESS): their
# clocks are moved or their waits generous (seconds), while the end-to-end runs beside them time exams to the
# millisecond; at nice 10, on a machine loaded by others, a program once took more than the 5 s that Windows gives it
# to answer that it may end. stop_prefix_slots ends them.
PREFIX_SLOT_NICENESS=5
PREFIX_SLOTS_SPEC=$BUILD/prefix-slots.json
PREFIX_SLOT_X_PIDS=()
start_prefix_slots() {  # count
    local slot display=${DISPLAY:-} ids=()
    export PC1_PREFIX_SLOTS=$BUILD/wine-prefix-slot PC1_PREFIX_SLOT_NICENESS=$PREFIX_SLOT_NICENESS
    for ((slot = 1; slot <= $1; slot++)); do
        copy_prefix "$BUILD/wine-prefix" "$PC1_PREFIX_SLOTS-$slot"
        start_x_server Xvfb -screen 0 1024x768x24 || return 1
        PREFIX_SLOT_X_PIDS+=("$X_SERVER_PID")
        map_turkish_letters
        echo "$DISPLAY" >"$PC1_PREFIX_SLOTS-$slot/.pc1-display"
        WINEPREFIX=$PC1_PREFIX_SLOTS-$slot start_wineserver "$PREFIX_SLOT_NICENESS"
        ids+=("{\"id\": \"$slot\", \"slots\": 1}")
    done
    export DISPLAY=$display
    local IFS=, machines="{\"id\": \"machines\", \"slots\": ${PC1_E2E_MACHINES:-5}}"
    echo "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [{\"wine_prefix\": [${ids[*]}]," \
        "\"e2e_machine\": [$machines]}]}" >"$PREFIX_SLOTS_SPEC"
}

stop_prefix_slots() {
    local prefix
    for prefix in "$BUILD"/wine-prefix-slot-*; do WINEPREFIX=$prefix stop_wineserver; done
    [ ${#PREFIX_SLOT_X_PIDS[@]} -eq 0 ] || kill "${PREFIX_SLOT_X_PIDS[@]}" 2>/dev/null
    PREFIX_SLOT_X_PIDS=()
}

# The supervisor's sequence of a Windows build tree's tests, which it drew or was given at configure time.
tests_sequence() { sed -n 's/^PC1_SUPERVISOR_SEQUENCE:STRING=//p' "$1/CMakeCache.txt"; }  # Windows build tree

# Sets that sequence with the settings program in a folder that holds it beside PC1.exe.
set_tests_sequence() {  # folder, Windows build tree
    local sequence
    sequence=$(tests_sequence "$2")
    (cd "$1" && wine PC1Ayar.exe "/SIRA=$sequence")
}

# Runs PC1.exe from the run folder next to the sample text, in the background; PC1_PID is Wine's process.
start_pc1() {
    local run_dir=$BUILD/run
    mkdir -p "$run_dir"
    cp "$BUILD/windows/bin/PC1.exe" "$BUILD/windows/bin/PC1Ayar.exe" "$ROOT/resources/Metin.rtf" "$run_dir/"
    # PC1 starts no exam without a supervisor's sequence: the folder gets the build tree's own, which the tests use too.
    grep -qi '^DenetimSirasi=pbkdf2' "$run_dir/PC1.ini" 2>/dev/null || set_tests_sequence "$run_dir" "$BUILD/windows"
    (cd "$run_dir" && exec env LC_ALL="${PC1_LOCALE:-tr_TR.UTF-8}" LOCPATH="$LOCALE_DIR" wine PC1.exe) &
    PC1_PID=$!
    echo "PC1 runs in $run_dir. This development tree's supervisor's sequence (Alt held): $(tests_sequence "$BUILD/windows")"
}

# Waits until PC1 shows a window on the display, then a moment more for it to paint.
wait_for_pc1_window() {
    wait_until 30 "a window of PC1" xdotool search --onlyvisible --name 'Tervendi|PC1' || return 1
    sleep 1.5
}

spooler_runs() { lpstat -r 2>/dev/null | grep -q 'is running'; }

SPOOLER_DIR=$BUILD/cups
SPOOLER_STARTED=
# A CUPS spooler of the build tree's own, reached through its socket in CUPS_SERVER by every process started after
# start_spooler (libcups reads it): spoolers that others on the machine start and stop never come or go beneath the
# tests. Its default queue is PDF (cups-pdf, A4), whose PDFs land in ~/PDF of the user the jobs run as (/root/PDF);
# the end-to-end scripts add queues of their own. Wine copies the queues into its registry when a process loads
# winspool, and the CUPS default becomes the Windows default. A spooler of the tree's that answers is used as it is;
# one is started here (root only, without systemd) only when none does, and stop_spooler stops only that one.
start_spooler() {
    export CUPS_SERVER=$SPOOLER_DIR/cups.sock
    if ! spooler_runs; then
        [ "$(id -u)" -eq 0 ] && [ -x /usr/sbin/cupsd ] || { echo "no CUPS spooler, and none can be started" >&2; return 1; }
        write_spooler_settings
        /usr/sbin/cupsd -f -c "$SPOOLER_DIR/cupsd.conf" -s "$SPOOLER_DIR/cups-files.conf" &
        SPOOLER_STARTED=$!
        wait_until 10 "cupsd to start" spooler_runs || { stop_spooler; return 1; }
    fi
    add_pdf_queue PDF cups-pdf:/ || return 1
    [ "$(lpstat -d 2>/dev/null)" = "system default destination: PDF" ] || lpadmin -d PDF
}

# The system's policies, with folders of the tree's own and the socket among them, and nothing on the network. The
# filters, which run as lp, write in the temporary folder.
write_spooler_settings() {
    mkdir -p "$SPOOLER_DIR"/{spool,cache,state,log,ppd}
    mkdir -p -m 1777 "$SPOOLER_DIR/tmp"
    sed -E '/^(Listen|Port|Browsing|BrowseLocalProtocols|WebInterface|IdleExitTimeout) /d' /etc/cups/cupsd.conf \
        >"$SPOOLER_DIR/cupsd.conf"
    printf '%s\n' "Listen $CUPS_SERVER" "Browsing Off" >>"$SPOOLER_DIR/cupsd.conf"
    printf '%s\n' "SystemGroup root lpadmin" "PeerCred on" "ServerRoot $SPOOLER_DIR" "RequestRoot $SPOOLER_DIR/spool" \
        "TempDir $SPOOLER_DIR/tmp" "CacheDir $SPOOLER_DIR/cache" "StateDir $SPOOLER_DIR/state" \
        "ErrorLog $SPOOLER_DIR/log/error_log" "AccessLog $SPOOLER_DIR/log/access_log" \
        "PageLog $SPOOLER_DIR/log/page_log" >"$SPOOLER_DIR/cups-files.conf"
}

# A queue of cups-pdf on the spooler, unless it is there; the device names the cups-pdf instance whose settings it
# reads (cups-pdf:/NAME reads /etc/cups/cups-pdf-NAME.conf).
add_pdf_queue() {  # name, device
    lpstat -p "$1" >/dev/null 2>&1 && return
    # lpadmin warns on stderr that PPD drivers are deprecated; whether the queue is there is checked after.
    lpadmin -p "$1" -E -v "$2" -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -o printer-is-shared=no -o PageSize=A4 2>/dev/null
    lpstat -p "$1" >/dev/null 2>&1 || { echo "cannot make the queue $1" >&2; return 1; }
}

stop_spooler() {
    [ -n "$SPOOLER_STARTED" ] || return 0
    kill "$SPOOLER_STARTED" 2>/dev/null
    wait "$SPOOLER_STARTED" 2>/dev/null
    SPOOLER_STARTED=
}
