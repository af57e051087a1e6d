// Reads a running PC1's windows from another process for the end-to-end scripts, which drive PC1 with real X
// input. Targets are named as Targets.h says. Texts come out as UTF-8 lines.
//
//   wait TARGET SECONDS      until the target is visible           gone TARGET SECONDS  until it is not
//   visible TARGET           1 or 0                                rect TARGET          its screen rectangle
//   caption CLASS            a point on the window's caption bar   text TARGET          its window text
//   items TARGET             a list box's items, one a line        clipboard [TEXT]     sets or prints the text
//   rows TARGET              a list view's rows, one a line, the columns' texts joined by a tab
//   readonly TARGET          1 or 0, an edit control's style       covers CLASS SECONDS until the window covers the
//                                                                                       screen, or prints how not
//   enabled TARGET           1 when the window takes input, else 0
//   focused TARGET           1 when the window has its thread's keyboard focus, else 0
//   exam-state               in one look, what no other program may change in the exam window: the typed text, a
//                            checksum of the sample, both text areas' read-only styles, the correct and the wrong
//                            words, and whether the time-up dialog shows
//   watch                    the exam's timing, from the start countdown to the end of the time-up dialog
//   ended-at TARGET SECONDS [CLOSE]  the wall-clock millisecond at which the rich edit turns read-only, looked at
//                            every millisecond from CLOSE seconds on, every tenth of a second before
//   journal FOLDER           what the one journal in the folder holds: its stage, the exam clock's time at its
//                            last record, its interruptions and its typed text, after the line "typed:"
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "journal/JournalFiles.h"
#include "platform/Cp1254.h"
#include "tests/e2e/Console.h"
#include "tests/e2e/RemoteMemory.h"
#include "tests/e2e/Targets.h"

namespace {

using e2e::FindTarget;
using e2e::Print;
using e2e::RemoteMemory;
using e2e::RequireTarget;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

bool IsShowing(std::wstring_view target) {
    const HWND hwnd = FindTarget(target);
    return hwnd && IsWindowVisible(hwnd);
}

bool PollUntil(Clock::duration timeout, const std::function<bool()>& done) {
    const auto deadline = Clock::now() + timeout;
    while (!done()) {
        if (Clock::now() > deadline) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

// A window whose thread does not answer fails the command, saying so, rather than hold up the script.
LRESULT Answer(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_NORMAL, 5000, &result))
        throw std::runtime_error("the window's thread did not answer within 5 s");
    return static_cast<LRESULT>(result);
}

std::wstring TextOf(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(Answer(hwnd, WM_GETTEXTLENGTH)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(Answer(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

void PrintText(HWND hwnd) { Print(TextOf(hwnd)); }

bool IsOfClass(HWND hwnd, const wchar_t* name) {
    wchar_t className[32] = {};
    GetClassNameW(hwnd, className, 32);
    return CompareStringOrdinal(className, -1, name, -1, TRUE) == CSTR_EQUAL;
}

// A list box's items, or a drop-down list's from its thread's ComboLBox: Wine answers no count of a combo box asked
// from another process, but its list box answers as any other.
std::vector<std::wstring> ItemsOf(HWND list) {
    if (IsOfClass(list, L"ComboBox")) {
        const auto isList = [](HWND hwnd, LPARAM found) {
            if (IsOfClass(hwnd, L"ComboLBox")) *reinterpret_cast<HWND*>(found) = hwnd;
            return TRUE;
        };
        const DWORD thread = GetWindowThreadProcessId(std::exchange(list, nullptr), nullptr);
        EnumThreadWindows(thread, isList, reinterpret_cast<LPARAM>(&list));
    }
    const auto count = list ? Answer(list, LB_GETCOUNT) : 0;
    std::vector<std::wstring> items;
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring& item = items.emplace_back(static_cast<std::size_t>(Answer(list, LB_GETTEXTLEN, i)) + 1, L'\0');
        item.resize(static_cast<std::size_t>(Answer(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
    }
    return items;
}

void PrintItems(HWND list) {
    for (const std::wstring& item : ItemsOf(list)) Print(item);
}

// Reads a list view's cells through one piece of memory in its process, for an item and its text, made anew twice as
// large whenever a text fills it: the list view answers only how much it copied.
class CellReader {
public:
    explicit CellReader(HWND listView) : listView_(listView) {}

    std::wstring Text(int row, int column) {
        for (;; capacity_ *= 2, memory_.emplace(listView_, Bytes())) {
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iSubItem = column;
            item.pszText = reinterpret_cast<wchar_t*>(memory_->Address(sizeof item));
            item.cchTextMax = static_cast<int>(capacity_);
            memory_->Write(0, &item, sizeof item);
            const auto length = static_cast<std::size_t>(
                SendMessageW(listView_, LVM_GETITEMTEXTW, row, static_cast<LPARAM>(memory_->Address())));
            if (length + 1 >= capacity_) continue;
            std::wstring text(length, L'\0');
            memory_->Read(sizeof item, text.data(), length * sizeof(wchar_t));
            return text;
        }
    }

private:
    std::size_t Bytes() const { return sizeof(LVITEMW) + capacity_ * sizeof(wchar_t); }

    HWND listView_;
    std::size_t capacity_ = 256;  // characters
    std::optional<RemoteMemory> memory_{std::in_place, listView_, Bytes()};
};

void PrintRows(HWND listView) {
    const auto header = reinterpret_cast<HWND>(SendMessageW(listView, LVM_GETHEADER, 0, 0));
    const auto columns = std::max<LRESULT>(1, header ? SendMessageW(header, HDM_GETITEMCOUNT, 0, 0) : 1);
    const auto rows = SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0);
    CellReader cells(listView);
    for (LRESULT row = 0; row < rows; ++row) {
        std::wstring line;
        for (LRESULT column = 0; column < columns; ++column)
            line += (column ? L"\t" : L"") + cells.Text(static_cast<int>(row), static_cast<int>(column));
        Print(line);
    }
}

void PrintNumbers(std::initializer_list<long> numbers) {
    std::wstring line;
    for (const long number : numbers) line += (line.empty() ? L"" : L" ") + std::to_wstring(number);
    Print(line);
}

void PrintRect(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    PrintNumbers({r.left, r.top, r.right, r.bottom});
}

// Halfway between the window's top edge and its client area, the middle of the caption bar's width.
const wchar_t* ReadOnly(HWND hwnd) { return GetWindowLongW(hwnd, GWL_STYLE) & ES_READONLY ? L"1" : L"0"; }
void PrintReadOnly(HWND hwnd) { Print(ReadOnly(hwnd)); }
void PrintEnabled(HWND hwnd) { Print(IsWindowEnabled(hwnd) ? L"1" : L"0"); }

void PrintFocused(HWND hwnd) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &thread))
        throw std::runtime_error("cannot read the window's thread");
    Print(thread.hwndFocus == hwnd ? L"1" : L"0");
}

// One look where a look a value would start a Wine process each: the tamper run takes it after every try.
int PrintExamState() {
    const HWND typing = RequireTarget(L"TSinavForm.Yazilan"), sample = RequireTarget(L"TSinavForm.Metin");
    std::uint32_t checksum = 2166136261u;  // FNV-1a
    for (const wchar_t c : TextOf(sample)) checksum = (checksum ^ c) * 16777619u;
    const auto words = [](std::wstring_view list) {
        std::wstring joined;
        for (const std::wstring& item : ItemsOf(RequireTarget(list))) joined += (joined.empty() ? L"" : L" ") + item;
        return joined;
    };
    Print(L"typed: " + TextOf(typing));
    Print(L"sample: " + std::to_wstring(checksum));
    Print(std::wstring(L"read-only: typing area ") + ReadOnly(typing) + L", sample " + ReadOnly(sample));
    Print(L"correct: " + words(L"TSinavForm.DogruListBox"));
    Print(L"wrong: " + words(L"TSinavForm.YanlisListBox"));
    Print(std::wstring(L"time-up dialog: ") + (IsShowing(L"TSonucForm") ? L"1" : L"0"));
    return 0;
}

// The exam window as it must stay whatever another program does to it: shown, not minimised, topmost and as large as
// the screen. Puts what it is into `state` for the message of a failed check.
bool CoversTheScreen(HWND hwnd, std::wstring& state) {
    RECT r;
    GetWindowRect(hwnd, &r);
    const bool visible = IsWindowVisible(hwnd), minimised = IsIconic(hwnd),
               topmost = GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST;
    state = L"visible " + std::to_wstring(visible) + L" minimised " + std::to_wstring(minimised) + L" topmost " +
            std::to_wstring(topmost) + L" at " + std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " +
            std::to_wstring(r.right) + L" " + std::to_wstring(r.bottom);
    return visible && !minimised && topmost && r.left == 0 && r.top == 0 && r.right == GetSystemMetrics(SM_CXSCREEN) &&
           r.bottom == GetSystemMetrics(SM_CYSCREEN);
}

void PrintCaptionPoint(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    POINT clientOrigin{0, 0};
    ClientToScreen(hwnd, &clientOrigin);
    PrintNumbers({(r.left + r.right) / 2, (r.top + clientOrigin.y) / 2});
}

bool SetClipboardText(std::wstring_view text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* copy = static_cast<wchar_t*>(GlobalLock(memory));
    text.copy(copy, text.size());
    copy[text.size()] = L'\0';
    GlobalUnlock(memory);
    const bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    return set;
}

int PrintClipboardText() {
    if (!OpenClipboard(nullptr)) return 1;
    const HANDLE memory = GetClipboardData(CF_UNICODETEXT);
    if (memory) {
        Print(static_cast<const wchar_t*>(GlobalLock(memory)));
        GlobalUnlock(memory);
    }
    CloseClipboard();
    return memory ? 0 : 1;
}

long long MillisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count();
}

// Started while the start countdown shows. The exam clock starts with the first key released in the typing area
// or when the countdown has run out; the countdown's panel goes at that moment, and a typed character shows a
// moment before. From then on the typing area's length tells when it last took a key, and its read-only style
// when the exam ended. Changes seen once it is read-only are keys it should have refused. A line is printed as
// each moment passes, so that the script can act on it, and the figures at the end.
// The typing area is looked for at every look: PC1 makes it again when another program took it away.
int Watch() {
    const HWND baslaPanel = RequireTarget(L"TSinavForm.BaslaPanel");
    // Another program may take the typing area into a window of its own for a moment, or destroy it there, until PC1
    // takes it back or makes it again: the watch reads the one the exam window holds, else the one it last held.
    HWND yazilan = RequireTarget(L"TSinavForm.Yazilan");
    const auto typingArea = [&] {
        if (const HWND held = FindTarget(L"TSinavForm.Yazilan")) yazilan = held;
        return yazilan;
    };
    const auto length = [&] {
        DWORD_PTR n = 0;
        SendMessageTimeoutW(typingArea(), WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &n);
        return n;
    };
    const auto readOnly = [&] { return (GetWindowLongW(typingArea(), GWL_STYLE) & ES_READONLY) != 0; };
    if (!PollUntil(10s, [&] { return IsWindowVisible(baslaPanel); })) throw std::runtime_error("no start countdown");
    if (!PollUntil(60s, [&] { return length() > 0 || !IsWindowVisible(baslaPanel); }))
        throw std::runtime_error("the exam clock never started");
    const auto started = Clock::now();
    Print(length() > 0 ? L"started by a key" : L"started by the countdown");

    auto lastLength = length();
    auto lastChange = started;
    std::optional<Clock::time_point> ended, dialogShown;
    int lateKeys = 0;
    const auto deadline = started + 200s;
    for (;;) {
        const bool endedBefore = ended.has_value();
        if (!ended && readOnly()) {
            ended = Clock::now();
            Print(L"ended");
        }
        if (const auto n = length(); n != lastLength) {
            lastLength = n;
            lastChange = Clock::now();
            if (endedBefore) ++lateKeys;
        }
        if (ended && !dialogShown && IsShowing(L"TSonucForm")) {
            dialogShown = Clock::now();
            Print(L"dialog");
        }
        if (dialogShown && !IsShowing(L"TSonucForm")) break;
        if (Clock::now() > deadline)
            throw std::runtime_error(ended ? "the time-up dialog stayed" : "the exam never ended");
        std::this_thread::sleep_for(20ms);
    }
    Print(L"accepted_ms=" + std::to_wstring(MillisecondsBetween(started, lastChange)));
    Print(L"ended_ms=" + std::to_wstring(MillisecondsBetween(started, *ended)));
    Print(L"dialog_ms=" + std::to_wstring(MillisecondsBetween(*dialogShown, Clock::now())));
    Print(L"late_keys=" + std::to_wstring(lateKeys));
    return 0;
}

long long WallMs() {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    constexpr long long kFrom1601To1970 = 116444736000000000LL;
    return ((static_cast<long long>(now.dwHighDateTime) << 32 | now.dwLowDateTime) - kFrom1601To1970) / 10000;
}

// A look every millisecond costs a wine server a tenth of a core, which side-by-side runs share: until the moment of
// interest comes close, a look every tenth of a second tells an end that came far too early as well.
int PrintEndedAt(std::wstring_view target, std::chrono::seconds timeout, std::chrono::seconds close) {
    const auto readOnly = [&] {
        const HWND hwnd = FindTarget(target);
        return hwnd && (GetWindowLongW(hwnd, GWL_STYLE) & ES_READONLY) != 0;
    };
    const auto start = Clock::now();
    while (!readOnly()) {
        if (Clock::now() > start + timeout) return 1;
        std::this_thread::sleep_for(Clock::now() < start + close ? 100ms : 1ms);
    }
    Print(std::to_wstring(WallMs()));
    return 0;
}

int PrintJournal(const std::wstring& folder) {
    const std::vector<std::wstring> journals = journal::JournalsIn(folder);
    if (journals.size() != 1) throw std::runtime_error(std::to_string(journals.size()) + " journals in the folder");
    const journal::ReadResult read = journal::ReadJournalFile(journals.front());
    if (!read.state) throw std::runtime_error("an unreadable journal: " + read.refusal);
    Print(L"stage=" + std::to_wstring(static_cast<int>(read.state->stage)));
    Print(L"exam_ms=" + std::to_wstring(read.state->examMs));
    Print(L"interruptions=" + std::to_wstring(read.state->interruptions.size()));
    Print(L"typed:");
    Print(platform::WidenCp1254(read.state->typed));
    return 0;
}

int Run(std::span<wchar_t*> args) {
    const std::wstring_view command = args.size() > 1 ? args[1] : L"";
    const std::wstring_view target = args.size() > 2 ? args[2] : L"";
    const auto seconds = std::chrono::seconds(args.size() > 3 ? _wtoi(args[3]) : 10);
    if (command == L"wait") return PollUntil(seconds, [&] { return IsShowing(target); }) ? 0 : 1;
    if (command == L"gone") return PollUntil(seconds, [&] { return !IsShowing(target); }) ? 0 : 1;
    if (command == L"clipboard") return args.size() > 2 ? (SetClipboardText(target) ? 0 : 1) : PrintClipboardText();
    if (command == L"watch") return Watch();
    if (command == L"ended-at")
        return PrintEndedAt(target, seconds, std::chrono::seconds(args.size() > 4 ? _wtoi(args[4]) : 0));
    if (command == L"journal") return PrintJournal(std::wstring(target));
    if (command == L"exam-state") return PrintExamState();
    if (command == L"covers") {
        std::wstring state;
        if (PollUntil(seconds, [&] { return CoversTheScreen(RequireTarget(target), state); })) return 0;
        Print(state);
        return 1;
    }
    if (command == L"visible") {
        Print(IsShowing(target) ? L"1" : L"0");
        return 0;
    }
    const std::pair<std::wstring_view, void (*)(HWND)> printers[] = {
        {L"rect", PrintRect},   {L"caption", PrintCaptionPoint}, {L"text", PrintText},
        {L"items", PrintItems}, {L"readonly", PrintReadOnly},    {L"enabled", PrintEnabled},
        {L"rows", PrintRows},   {L"focused", PrintFocused}};
    for (const auto& [name, print] : printers) {
        if (name != command) continue;
        print(RequireTarget(target));
        return 0;
    }
    throw std::runtime_error("unknown command");
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return e2e::RunCommandLine("inspect", argc, argv, Run); }
