#!/usr/bin/env bash
# Pictures of every screen a candidate and a supervisor meet, from the real PC1.exe driven with real keys: the entry
# dialog over the backdrop, the exam window ready to start, the start countdown, the running exam, the time-up
# dialog, the results, and the close button the supervisor's sequence reveals. Once on a 1024 x 768 screen at 96 dpi
# and once on a 1920 x 1080 one at 144 dpi, each a whole exam: about eight minutes.
# Usage: gallery.sh WINDOWS_BUILD_TREE OUTPUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/screen-servers.sh"
OUTPUT=$(realpath -m "$2")
ensure_turkish_locale
trap stop_x EXIT
start_x Xvfb -screen 0 1024x768x24
source "$(dirname "$0")/driver.sh" "$1"  # which wants a display, and sets the shared prefix again
use_screens_prefix
SHOTS=$OUTPUT

# The sample's first sentence with two words mistyped, for the results' underlines and both bars of the chart.
# Without a capital Ç, Ö or Ü, which xdotool types in lower case.
TYPED="Kasabamızın ortasndan geçen ırmak, her bahar kalar eridiğinde coşar ve kıyıdaki söğütlerin dallarına kadar \
yükselir. "

picture() {  # name
    sleep 1  # the last paint
    shoot "$1" >/dev/null
    shrink_png "$SHOTS/$1.png"
    echo "$SHOTS/$1.png: $(stat -c %s "$SHOTS/$1.png") bytes"
}

session() {  # pictures' name prefix
    start_program
    trap 'stop_program; stop_x' EXIT
    xdotool type --delay 60 1234
    xdotool key Return
    xdotool type --delay 60 Ayşe
    xdotool key Return
    xdotool type --delay 60 Yılmaz
    expect_text TGirisForm.Soyadi Yılmaz
    expect_text TGirisForm.Adi Ayşe
    picture "$1-entry"
    xdotool key Return
    inspect wait TSinavForm 10 || fail "no exam window after the entry"
    picture "$1-ready"
    click TSinavForm.Baslat
    inspect wait TSinavForm.BaslaPanel 5 || fail "no start countdown"
    picture "$1-countdown"
    # The first key starts the clock.
    xdotool type --delay 150 "$TYPED"
    picture "$1-exam"
    inspect wait TSonucForm 200 || fail "no time-up dialog"
    picture "$1-time-up"
    inspect gone TSonucForm 15 || fail "the time-up dialog stayed"
    inspect wait TSinavForm.GroupBox1 10 || fail "no results"
    echo "wrong words: $(inspect items TSinavForm.YanlisListBox | paste -sd ' ')"
    picture "$1-results"
    mapfile -t digits < <(supervisor_digits)
    keys_with_alt "${digits[@]}"
    inspect wait TSinavForm.KapatBtn 5 || fail "no close button after the supervisor's sequence"
    picture "$1-close"
    click TSinavForm.KapatBtn
    expect_exit_code 0
    stop_program
    stop_x
    trap stop_x EXIT
}

use_dpi 96
session 1024x768
start_x Xvfb -screen 0 1920x1080x24
use_dpi 144
session 1920x1080-144dpi
