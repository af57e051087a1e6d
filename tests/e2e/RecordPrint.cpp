// Prints a candidate's exam record the way the program does, for record-print.sh, which reads the printed PDF back.
//
//   text                     the record's typed text, UTF-8, one paragraph a line
//   print default|none       prints on the Windows default printer, or on none, and prints the outcome's name
//   print named PRINTER      prints on the named printer
//   print-and-end            prints on the Windows default printer and ends the program at once, as closing PC1 does
#include <windows.h>

#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Cp1254.h"
#include "platform/ProgramEnd.h"
#include "result/RecordPrinter.h"
#include "tests/e2e/Console.h"
#include "text/Utf8.h"

namespace {

constexpr UINT kPrinted = WM_APP + 1;
constexpr UINT kNoOutcomeTimer = 1;
constexpr UINT kNoOutcomeMs = 90'000;

// Every Turkish letter, hyphens, apostrophes, line breaks: about 2,500 words, some pages of A4.
struct TypedText {
    std::string text;  // Windows-1254
    std::vector<text::WordSpan> underlined;
};

TypedText MakeTypedText() {
    const std::wstring words[] = {L"çalışkan", L"öğrenci", L"İstanbul'da", L"ılık",   L"Şubat",  L"günü",
                                  L"Ürgüp'e",  L"ÇĞÖŞÜİ",  L"iş-yeri",     L"ağaçlı", L"Işıklı", L"ğüşiöçı",
                                  L"yazdı",    L"sınavı",  L"Ömer",        L"Ünal",   L"çiğdem", L"Ğ"};
    TypedText typed;
    for (int i = 0; i < 2500; ++i) {
        const std::string word = platform::NarrowCp1254(words[i % std::size(words)]);
        if (i % 7 == 3)
            typed.underlined.push_back({static_cast<int>(typed.text.size()), static_cast<int>(word.size())});
        typed.text += word;
        if (i + 1 < 2500) typed.text += i % 150 == 149 ? "\r\n" : " ";
    }
    return typed;
}

result::ExamRecord Record(TypedText typed) {
    result::ExamRecord record;
    record.computer = "PC-07";
    record.clockStarted = {2026, 12, 7, 10, 0, 0}, record.clockEnded = {2026, 12, 7, 10, 3, 0};
    record.firstName = platform::NarrowCp1254(L"Çiğdem"), record.surname = platform::NarrowCp1254(L"Işıkoğlu");
    record.candidateNumber = "123456";
    record.typedText = std::move(typed.text), record.wrongWords = std::move(typed.underlined);
    record.typed = 2500, record.correct = 2143, record.wrong = 357;
    return record;
}

const wchar_t* OutcomeName(result::PrintOutcome outcome) {
    switch (outcome) {
    case result::PrintOutcome::Printed:
        return L"Printed";
    case result::PrintOutcome::NoPrinter:
        return L"NoPrinter";
    case result::PrintOutcome::PrinterUnavailable:
        return L"PrinterUnavailable";
    case result::PrintOutcome::JobFailed:
        return L"JobFailed";
    case result::PrintOutcome::EndDocFailed:
        return L"EndDocFailed";
    }
    return L"?";
}

std::string Utf8(std::wstring_view wide) {
    const std::string_view bytes(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
    return text::Utf16ToUtf8(bytes, text::ByteOrder::LittleEndian).value_or("");
}

config::PrinterChoice Choice(std::span<wchar_t*> args) {
    const std::wstring kind = args.size() > 2 ? args[2] : L"";
    if (kind == L"default") return {config::PrinterChoice::Kind::WindowsDefault, {}};
    if (kind == L"none") return {config::PrinterChoice::Kind::None, {}};
    if (kind == L"named" && args.size() > 3) return {config::PrinterChoice::Kind::Named, Utf8(args[3])};
    throw std::invalid_argument("usage: record_print print default|none|named PRINTER");
}

// The outcome arrives as the program's windows receive it: posted to a window of the printing thread's caller.
int PrintRecord(const config::PrinterChoice& choice, bool endAtOnce = false) {
    const HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (!window) throw std::runtime_error("no message window");
    {
        result::RecordPrinter printer(window, kPrinted);
        printer.Print(Record(MakeTypedText()), choice);
        if (endAtOnce) platform::EndProgram(0);
        SetTimer(window, kNoOutcomeTimer, kNoOutcomeMs, nullptr);
        MSG message;
        while (GetMessageW(&message, window, 0, 0) > 0) {
            if (message.message == kPrinted) {
                const std::vector<result::RecordPrinter::Finished> finished = printer.TakeFinished();
                if (finished.empty()) continue;
                e2e::Print(OutcomeName(finished.front().outcome));
                e2e::Print(platform::WidenCp1254(result::PrintOutcomeText(finished.front().outcome)));
                break;
            }
            if (message.message == WM_TIMER) {
                e2e::Print(L"NoOutcome");
                break;
            }
        }
    }
    DestroyWindow(window);
    return 0;
}

int Run(std::span<wchar_t*> args) {
    const std::wstring command = args.size() > 1 ? args[1] : L"";
    if (command == L"text") {
        const std::wstring text = platform::WidenCp1254(MakeTypedText().text);
        for (std::size_t start = 0; start <= text.size();) {
            const std::size_t end = std::min(text.find(L"\r\n", start), text.size());
            e2e::Print(std::wstring_view(text).substr(start, end - start));
            start = end + 2;
        }
        return 0;
    }
    if (command == L"print") return PrintRecord(Choice(args));
    if (command == L"print-and-end") return PrintRecord({config::PrinterChoice::Kind::WindowsDefault, {}}, true);
    throw std::invalid_argument("usage: record_print text | print default|none|named PRINTER | print-and-end");
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return e2e::RunCommandLine("record_print", argc, argv, Run); }
