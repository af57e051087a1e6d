#!/usr/bin/env bash
# What keeps a candidate in the exam, tried with real keys and mouse on the real program: Alt+F4 and caption drags
# refused, no clipboard in the typing area, Turkish letters typed as they are under either code page, and the
# supervisor's key sequence, which alone reveals the close button.
# A refused key is followed by a key that types, and the check waits for that one.
# Usage: guards.sh WINDOWS_BUILD_TREE
set -euo pipefail
source "$(dirname "$0")/driver.sh"
use_windows_build "$1"
use_own_machine

start_program

# The entry dialog, typed as a candidate types it; the number takes digits only.
xdotool type --delay 40 12a34
expect_text TGirisForm.Adayno 1234
enter_to TGirisForm.Adi
xdotool type --delay 40 şule
enter_to TGirisForm.Soyadi
xdotool type --delay 40 ıl

# The entry fields paste, which shows that the clipboard reaches the program: the typing area must refuse it below.
clip=yapistir
inspect clipboard "$clip" || fail "cannot put text on the clipboard"
xdotool key ctrl+v
expect_text TGirisForm.Soyadi "ıl$clip"
xdotool key --repeat ${#clip} BackSpace

xdotool key alt+F4 g
expect_text TGirisForm.Soyadi ılg
expect_eq "entry dialog shown after Alt+F4" "$(inspect visible TGirisForm)" 1

where=$(inspect rect TGirisForm)
read -r x y < <(inspect caption TGirisForm)
xdotool mousemove "$x" "$y" mousedown 1
for _ in 1 2 3 4 5; do
    xdotool mousemove_relative -- 30 20
    sleep 0.05
done
xdotool mouseup 1 type az
expect_text TGirisForm.Soyadi ılgaz
expect_eq "entry dialog after a drag of its caption bar" "$(inspect rect TGirisForm)" "$where"

xdotool key Return
inspect wait TSinavForm 10 || fail "no exam window after the entry"

# The first key released in the typing area starts the exam clock, which ends the start countdown.
click TSinavForm.Baslat
inspect wait TSinavForm.BaslaPanel 5 || fail "no start countdown"
# Every Turkish lower-case letter must arrive as typed whatever the code page. Backspace takes the words away again,
# so that the checks below read a text that every code page holds.
turkish="ağaç ılık şölen üzüm"
xdotool type --delay 60 "$turkish"
inspect gone TSinavForm.BaslaPanel 2 || fail "the start countdown goes on after a key"
# shellcheck disable=SC2086
expect_typed_words $turkish
xdotool key --repeat ${#turkish} BackSpace
typed="ilk kelimeler"
xdotool type --delay 40 "$typed"
expect_text TSinavForm.Yazilan "$typed"

# Wine's rich edit has no Shift+Insert of its own: that row guards the program on Windows. It takes Ctrl's chords
# with Alt held too.
for keys in ctrl+v shift+Insert "ctrl+a ctrl+x" "ctrl+a ctrl+c" ctrl+alt+v "ctrl+alt+a ctrl+alt+x" ctrl+alt+c; do
    typed+=.
    # shellcheck disable=SC2086
    xdotool key $keys period
    expect_text TSinavForm.Yazilan "$typed"
    expect_eq "clipboard after $keys" "$(inspect clipboard)" "$clip"
done

# X pastes with the middle button, and so does Wine's rich edit.
typed+=.
click TSinavForm.Yazilan 2
xdotool key period
expect_text TSinavForm.Yazilan "$typed"
expect_eq "clipboard after a middle click" "$(inspect clipboard)" "$clip"

typed+=.
xdotool key alt+F4 period
expect_text TSinavForm.Yazilan "$typed"
expect_eq "exam window shown after Alt+F4" "$(inspect visible TSinavForm)" 1

# Keypad keys are digits only while NumLock is on; a keypad 1 in the typing area shows which it is.
keypad() { xkbcomp -xkb "$DISPLAY" - 2>/dev/null | sed -n "s/^ *<KP$1> *= *\([0-9]*\);.*/\1/p"; }
xdotool key "$(keypad 1)" period
if [ "$(inspect text TSinavForm.Yazilan)" = "$typed." ]; then xdotool key BackSpace Num_Lock "$(keypad 1)" period; fi
typed+=1.
expect_text TSinavForm.Yazilan "$typed"

mapfile -t digit < <(supervisor_digits)
absent=$(echo 0123456789 | tr -d "${digit[*]}" | cut -c1)
declare -A near_misses=(
    ["one wrong digit"]="${digit[0]} ${digit[1]} ${digit[2]} $absent ${digit[4]} ${digit[5]}"
    ["Alt released"]="${digit[0]} ${digit[1]} ${digit[2]} keyup alt keydown alt key ${digit[3]} ${digit[4]} ${digit[5]}"
    ["digits out of order"]="${digit[0]} ${digit[1]} ${digit[3]} ${digit[2]} ${digit[4]} ${digit[5]}"
)
for miss in "${!near_misses[@]}"; do
    typed+=.
    # shellcheck disable=SC2086
    keys_with_alt ${near_misses[$miss]}
    xdotool key period
    expect_text TSinavForm.Yazilan "$typed"
    expect_eq "close button after the sequence with $miss" "$(inspect visible TSinavForm.KapatBtn)" 0
done

# Keypad and main-row digits mixed: the sequence stops the clock and reveals the close button, which ends PC1.
keys_with_alt "$(keypad "${digit[0]}")" "${digit[1]}" "$(keypad "${digit[2]}")" "${digit[3]}" \
    "$(keypad "${digit[4]}")" "${digit[5]}"
inspect wait TSinavForm.KapatBtn 2 || fail "no close button after the supervisor's sequence"
click TSinavForm.KapatBtn
expect_exit_code 0
echo PASS
