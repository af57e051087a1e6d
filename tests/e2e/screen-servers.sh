# shellcheck shell=bash
# X servers and wine servers of a script's own, for running the program at the screen sizes and densities it
# chooses: each screen is an X server started for it, and each density a wine server started after Wine's
# LogPixels is set (a running one keeps the screen size and density it started with). The density is set in the
# script's own copy of the shared prefix, which the other tests keep at 96 dpi. Source it, don't run it: it brings the harness of
# driver.sh with it.
source "$(dirname "${BASH_SOURCE[0]}")/driver.sh"
X_PIDS=()

# Makes the shared prefix if it is missing (on the display there is, which must be one), then uses the script's
# copy of it from the next wine server on.
use_screens_prefix() { use_prefix_copy "wine-prefix-$MACHINE"; }

# Starts an X server, given as its command without a display, and makes it the display. Whatever happens, it ends
# with the script.
start_x() {
    on_exit stop_x
    start_x_server "$@" || fail "no X server: $*"
    X_PIDS+=("$X_SERVER_PID")
}

# Ends the wine server and every X server started here.
stop_x() {
    wineserver -k 2>/dev/null || true
    wineserver -w
    [ ${#X_PIDS[@]} -eq 0 ] && return
    kill "${X_PIDS[@]}" 2>/dev/null
    wait "${X_PIDS[@]}" 2>/dev/null || true
    X_PIDS=()
}

# The density Windows programs see from the next wine server on, which this starts.
use_dpi() {
    wineserver -k 2>/dev/null || true
    wineserver -w
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wineserver -w
    start_wineserver
}

# A screenshot of the screen made small enough to keep in the repository: 128 colours, which the program's flat
# colours and anti-aliased text keep, undithered, which halves the backdrop's picture against dithered ones at the
# cost of faint bands in its gradients.
shoot_small() {  # name
    shoot "$1" >/dev/null
    pngquant --force --strip --speed 1 --nofs --output "$SHOTS/$1.png" 128 -- "$SHOTS/$1.png"
}
