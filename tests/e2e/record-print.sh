#!/usr/bin/env bash
# The exam record on paper: printed by record_print.exe through the program's RecordPrinter on the Windows default
# printer, which is the spooler's PDF queue, and read back from the PDF: the candidate, the counts and times, every
# Turkish letter of a typed text of several pages, "Sayfa : X / N" on every page. Then the choices that print
# nothing: no printer, and a printer that does not exist, whose outcomes say so without waiting. The first page is
# rendered to record-page1.png in the build tree for a person to look at.
# Last, a record that cannot get through to the spooler when the program ends: the end waits five seconds for it, then
# goes without it.
# Usage: record-print.sh WINDOWS_BUILD_TREE. Starts a spooler when none runs (root only); exits 77 (skipped) without.
set -euo pipefail
source "$(dirname "$0")/driver.sh"
use_windows_build "$1"
use_own_machine

on_exit stop_spooler
use_own_print_queue || exit 77
WORK=$(mktemp -d "${TMPDIR:-/tmp}/pc1-record.XXXXXX")
on_exit 'rm -rf "$WORK"'
on_exit stop_spooler_gate

# The spooler's library is loaded by name while printing: imported, it would hold up the program's start for as
# long as a stopped spooler blocks its loading.
for exe in PC1.exe record_print.exe; do
    if x86_64-w64-mingw32-objdump -p "$BIN/$exe" | grep -qi 'DLL Name: winspool'; then
        fail "$exe imports winspool.drv"
    fi
done

record_print() {
    require_display
    "${WINE_ENV[@]}" timeout 120 wine "$BIN/record_print.exe" "$@" | tr -d '\r'
}

touch "$WORK/before"
outcome=$(record_print print default)
expect_eq "outcome on the default printer" "$(head -n1 <<<"$outcome")" Printed
pdf=$(wait_for_pdf "$WORK/before" 60) || exit 1

record_print text >"$WORK/typed.txt"
pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
expect_within "pages" "$pages" 3 12
pdfinfo "$pdf" | grep -q '^Page size:.*(A4)' || fail "the record is not on A4: $(pdfinfo "$pdf" | grep '^Page size')"
for ((p = 1; p <= pages; p++)); do
    pdftotext -layout -f "$p" -l "$p" "$pdf" "$WORK/page$p.txt"
done

# Each page's text with its heading row taken out, hyphens as typed (pdftotext gives U+00AD back for them), run
# together; the typed text, its line breaks and spaces as single spaces, must come out whole and in order.
python3 - "$WORK" "$pages" <<'PY' || fail "the printed record differs"
import pathlib, re, sys
work, pages = pathlib.Path(sys.argv[1]), int(sys.argv[2])
squeeze = lambda text: " ".join(text.replace("\u00ad", "-").split())
texts = [squeeze((work / f"page{p}.txt").read_text(encoding="utf-8")) for p in range(1, pages + 1)]
ok = True
def check(what, condition):
    global ok
    if not condition:
        print(f"FAIL: {what}", file=sys.stderr)
        ok = False
for p, text in enumerate(texts, 1):
    check(f"page {p} heads with 'Sayfa : {p} / {pages}'", f"Sayfa : {p} / {pages}" in text)
    check(f"page {p} heads with the computer", "PC-07" in text)
first = texts[0]
for shown in ["Adı : Çiğdem", "Soyadı : Işıkoğlu", "Aday No : 123456", "Sınav Tarihi : 07.12.2026",
              "Başlama Saati : 10:00:00", "Bitiş Saati : 10:03:00", "3 Dakikalık Daktilo / Bilgisayar Yazısı"]:
    check(f"the first page shows '{shown}'", shown in first)
everything = " ".join(texts)
for shown in ["Yazılan Doğru Yanlış Sonuç 2500 2143 357 1786", "Sınav Kurulu Başkanı Üye Üye", "İmza"]:
    check(f"the record shows '{shown}'", shown in everything)
body = " ".join(squeeze(re.sub(r"Sayfa : \d+ / \d+|PC-07", " ", t)) for t in texts)
typed = squeeze((work / "typed.txt").read_text(encoding="utf-8"))
check("every Turkish letter in the typed text", all(c in typed for c in "çğıİöşüÇĞÖŞÜ"))
check("the typed text printed whole and in order", typed in body)
if typed not in body:
    common = next((i for i, (a, b) in enumerate(zip(typed, body[body.find(typed[:40]):])) if a != b), None)
    print(f"first difference at character {common} of the typed text", file=sys.stderr)
sys.exit(0 if ok else 1)
PY
pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$pdf" "$WINDOWS_BUILD/record-page1"
echo "printed $pages pages: $pdf; first page in $WINDOWS_BUILD/record-page1.png"

# Nothing to print on: the outcome says why, at once.
start=$(now_ms)
expect_eq "outcome with no printer chosen" "$(record_print print none | head -n1)" NoPrinter
expect_eq "outcome on a printer that does not exist" \
    "$(record_print print named 'Yok Boyle Bir Yazici' | head -n1)" PrinterUnavailable
echo "the two choices that print nothing took $(($(now_ms) - start)) ms"

# The spooler takes nothing while the program ends: the end waits five seconds for the record, then goes without it,
# with the exit code of a record cut off (3).
start_spooler_gate
hold_spooler
start=$(now_ms)
code=0
record_print print-and-end || code=$?
waited=$(($(now_ms) - start))
expect_eq "exit code of an end with the record held at the spooler" "$code" 3
expect_within "time the end took with the record held, the program's start included (ms)" "$waited" 5000 9000
echo "the end with the record held at the spooler took $waited ms"
