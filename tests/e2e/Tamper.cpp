// Another program run beside PC1, as a candidate could run one: it tries every way a program has of changing the
// candidate's text or result, of ending, restarting or closing the exam, and of hiding or moving the exam window.
// The end-to-end script runs one route at a time and checks from outside that PC1 kept its state.
//
//   list PHASE   the routes tried in that state of the exam (ready, countdown, exam, results), one a line; "typing"
//                lists those whose harm shows in the candidate's next keys
//   ROUTE        tries the route once
//   typist MS    types the sample into the typing area for that many milliseconds, as an auto-typer would: reads
//                the sample and the typed text and posts the next character every 2 ms
//   journal-plant FOLDER SAMPLE [COMPUTER]
//                writes into the journal folder an exam whose time was up, the whole sample typed: this computer's,
//                against SAMPLE's identity; or, with COMPUTER, that computer's, with a sample of its own
//   journal-append FILE WORDS    appends an edit frame that types WORDS at the end of the journal's text
//   journal-rewind FILE MS       rewrites the journal as one checkpoint whose exam clock has run MS only
#include <windows.h>

#include <richedit.h>

#include <chrono>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "journal/JournalFiles.h"
#include "journal/pure/JournalFormat.h"
#include "platform/Cp1254.h"
#include "platform/Files.h"
#include "platform/KeyDerivation.h"
#include "platform/TimerThread.h"
#include "tests/e2e/Console.h"
#include "tests/e2e/RemoteMemory.h"
#include "tests/e2e/Targets.h"

namespace {

using e2e::RemoteMemory;
using e2e::RequireTarget;

// A word of the sample, which would count as a correct word wherever it got in.
constexpr wchar_t kWord[] = L"zeytin ";

enum Phase : unsigned { kReady = 1, kCountdown = 2, kExam = 4, kResults = 8, kTyping = 16 };
constexpr std::pair<std::wstring_view, unsigned> kPhases[] = {
    {L"ready", kReady}, {L"countdown", kCountdown}, {L"exam", kExam}, {L"results", kResults}, {L"typing", kTyping}};

// The typing area and the sample: a program that changes either changes the score.
const wchar_t* const kTextAreas[] = {L"TSinavForm.Yazilan", L"TSinavForm.Metin"};
constexpr wchar_t kExamWindow[] = L"TSinavForm";

// Sent messages wait for PC1, but never for ever: a PC1 that hangs or dies must not stop the script.
void Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_NORMAL, 5000, nullptr);
}

void Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!PostMessageW(hwnd, message, wParam, lParam)) throw std::runtime_error("cannot post a message");
}

using Deliver = void (*)(HWND, UINT, WPARAM, LPARAM);

void SetText(HWND area) { Send(area, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kWord)); }

void ReplaceSelection(HWND area) { Send(area, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(kWord)); }

void SetTextEx(HWND area) {
    const SETTEXTEX how{ST_DEFAULT, 1200};  // code page 1200: the text is UTF-16
    RemoteMemory memory(area, sizeof how + sizeof kWord);
    memory.Write(0, &how, sizeof how);
    memory.Write(sizeof how, kWord, sizeof kWord);
    Send(area, EM_SETTEXTEX, memory.Address(), static_cast<LPARAM>(memory.Address(sizeof how)));
}

// No code of this program can run inside PC1, so the stream's callback points at data: a control that takes the
// message empties itself, and may crash PC1 when it calls back.
void StreamIn(HWND area) {
    RemoteMemory memory(area, sizeof(EDITSTREAM));
    EDITSTREAM stream{};
    stream.pfnCallback = reinterpret_cast<EDITSTREAMCALLBACK>(memory.Address());
    memory.Write(0, &stream, sizeof stream);
    Send(area, EM_STREAMIN, SF_TEXT, static_cast<LPARAM>(memory.Address()));
}

// The script has put text on the clipboard.
template <Deliver deliver>
void Paste(HWND area) {
    deliver(area, WM_PASTE, 0, 0);
}

template <Deliver deliver>
void PasteSpecial(HWND area) {
    deliver(area, EM_PASTESPECIAL, CF_TEXT, 0);
}

template <Deliver deliver>
void Characters(HWND area) {
    for (const wchar_t c : std::wstring_view(kWord)) deliver(area, WM_CHAR, c, 1);
}

LPARAM KeyFlags(WORD key, bool up) {
    const auto scanCode = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    return 1 | (scanCode << 16) | (up ? LPARAM{3} << 30 : 0);
}

std::vector<WORD> WordKeys() {
    std::vector<WORD> keys;
    for (const wchar_t c : std::wstring_view(kWord)) keys.push_back(LOBYTE(VkKeyScanW(c)));
    return keys;
}

// The word's keys, which a message loop turns into characters, then a Backspace, which the control acts on itself.
template <Deliver deliver>
void Keys(HWND area) {
    std::vector<WORD> keys = WordKeys();
    keys.push_back(VK_BACK);
    for (const WORD key : keys) {
        deliver(area, WM_KEYDOWN, key, KeyFlags(key, false));
        deliver(area, WM_KEYUP, key, KeyFlags(key, true));
    }
}

// Everything selected and cleared, then the selection put back, so that the candidate's next key types where it did.
template <Deliver deliver>
void Clear(HWND area) {
    DWORD_PTR selection = 0;
    SendMessageTimeoutW(area, EM_GETSEL, 0, 0, SMTO_NORMAL, 5000, &selection);
    deliver(area, EM_SETSEL, 0, -1);
    deliver(area, WM_CLEAR, 0, 0);
    deliver(area, EM_SETSEL, LOWORD(selection), HIWORD(selection));
}

template <Deliver deliver>
void Undo(HWND area) {
    deliver(area, WM_UNDO, 0, 0);
    deliver(area, EM_UNDO, 0, 0);
}

template <Deliver deliver>
void MakeWritable(HWND area) {
    deliver(area, EM_SETREADONLY, FALSE, 0);
}

template <void (*attack)(HWND)>
void OnTextAreas() {
    for (const wchar_t* area : kTextAreas) attack(RequireTarget(area));
}

// Keys injected as a program injects them, into whatever has the focus: the typing area, as the script leaves it.
template <bool unicode>
void Input() {
    const std::vector<WORD> keys = WordKeys();
    std::vector<INPUT> inputs;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        for (const DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = unicode ? 0 : keys[i];
            input.ki.wScan = unicode ? kWord[i] : 0;
            input.ki.dwFlags = up | (unicode ? KEYEVENTF_UNICODE : 0);
            inputs.push_back(input);
        }
    }
    if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size())
        throw std::runtime_error("SendInput refused the keys");
}

constexpr wchar_t kSinavTimer[] = L"TSinavForm.SinavTimer";
constexpr wchar_t kBaslatTimer[] = L"TSinavForm.BaslatTimer";

// A few ticks at once, as a clock that counted ticks would run fast with them: as Windows' timers would post them,
// and as the program's timer thread sends them.
template <const wchar_t* timer>
void Ticks() {
    for (int i = 0; i < 3; ++i) {
        Post(RequireTarget(kExamWindow), WM_TIMER, e2e::TimerId(timer), 0);
        Send(RequireTarget(kExamWindow), platform::TimerThread::kWakeMessage, e2e::TimerId(timer), 0);
    }
}

constexpr wchar_t kTemizle[] = L"TSinavForm.Temizle";
constexpr wchar_t kBaslat[] = L"TSinavForm.Baslat";

// The notification a button sends its window when it is clicked.
template <const wchar_t* button, Deliver deliver>
void Click() {
    const HWND hwnd = RequireTarget(button);
    deliver(RequireTarget(kExamWindow), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
            reinterpret_cast<LPARAM>(hwnd));
}

// The button clicks itself, so the notification comes from PC1's own thread.
template <const wchar_t* button>
void ButtonClick() {
    Send(RequireTarget(button), BM_CLICK, 0, 0);
}

template <Deliver deliver, UINT message, WPARAM wParam>
void ToExamWindow() {
    deliver(RequireTarget(kExamWindow), message, wParam, 0);
}

void QuitThread() {
    const DWORD thread = GetWindowThreadProcessId(RequireTarget(kExamWindow), nullptr);
    if (!PostThreadMessageW(thread, WM_QUIT, 0, 0)) throw std::runtime_error("cannot post to PC1's thread");
}

template <int command>
void Show() {
    ShowWindow(RequireTarget(kExamWindow), command);
}

template <int left, int top, int width, int height, UINT flags>
void Place() {
    SetWindowPos(RequireTarget(kExamWindow), nullptr, left, top, width, height, flags | SWP_NOACTIVATE);
}

void Untopmost() {
    SetWindowPos(RequireTarget(kExamWindow), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::wstring TextOf(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Each character posted is the sample's next one after what the typing area already shows, so that whatever PC1
// lets through is typed right and counts.
void Typist(std::chrono::milliseconds length) {
    const HWND typed = RequireTarget(kTextAreas[0]);
    const std::wstring sample = TextOf(RequireTarget(kTextAreas[1]));
    const auto end = std::chrono::steady_clock::now() + length;
    while (std::chrono::steady_clock::now() < end) {
        const std::size_t next = TextOf(typed).size();
        if (next < sample.size()) Post(typed, WM_CHAR, sample[next], 1);
        Sleep(2);
    }
}

// Another program takes the text area into a window of its own, which then goes with the program.
void TakeAway(HWND area) {
    const HWND taker = CreateWindowExW(0, L"STATIC", L"tamper", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    if (!taker) throw std::runtime_error("cannot make a window");
    SetParent(area, taker);
}

// A press and release of the left button, as the mouse would have them posted.
void PostedClick(HWND control, POINT at) {
    Post(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    Post(control, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

constexpr wchar_t kKapatBtn[] = L"TSinavForm.KapatBtn";
constexpr wchar_t kYazilan[] = L"TSinavForm.Yazilan";

template <const wchar_t* control>
void MouseClick() {
    const HWND hwnd = RequireTarget(control);
    RECT client;
    GetClientRect(hwnd, &client);
    PostedClick(hwnd, {client.right / 2, client.bottom / 2});
}

// Near the typing area's first character, where a click would leave the caret.
void MouseClickAtTheStart() { PostedClick(RequireTarget(kYazilan), {2, 2}); }

using namespace std::chrono_literals;

// Said once a route that lasts a while has taken hold, for the script to type then.
void Acted() { e2e::Print(L"acted"); }

// A topmost window of this program's own, which takes the foreground and the keyboard with it, and stays three
// seconds, while the script types.
void StealForeground() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = L"TamperThief";
    windowClass.hbrBackground = GetSysColorBrush(COLOR_HIGHLIGHT);
    RegisterClassW(&windowClass);
    const HWND thief = CreateWindowExW(WS_EX_TOPMOST, windowClass.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 100, 100,
                                       300, 200, nullptr, nullptr, nullptr, nullptr);
    if (!thief || !SetForegroundWindow(thief)) throw std::runtime_error("cannot take the foreground");
    Acted();
    for (const auto end = std::chrono::steady_clock::now() + 3s; std::chrono::steady_clock::now() < end;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&message);
    }
    DestroyWindow(thief);
}

// Another program joins PC1's thread input and sets its key state: Caps Lock on, or Alt held. It stays joined three
// seconds, while the script types.
template <BYTE kKey, BYTE kValue>
void SetKeyState() {
    const DWORD pc1Thread = GetWindowThreadProcessId(RequireTarget(kExamWindow), nullptr);
    if (!AttachThreadInput(GetCurrentThreadId(), pc1Thread, TRUE)) throw std::runtime_error("cannot join PC1's input");
    BYTE state[256];
    GetKeyboardState(state);
    state[kKey] = kValue;
    if (!SetKeyboardState(state)) throw std::runtime_error("cannot set PC1's key state");
    Acted();
    std::this_thread::sleep_for(3s);
    AttachThreadInput(GetCurrentThreadId(), pc1Thread, FALSE);
}

// WM_NULL posted to the exam window as fast as four threads can for four seconds: Windows makes WM_TIMER and WM_PAINT
// only when no posted message waits. Windows keeps at most 10,000 posted messages for a thread; Wine 8 keeps every
// one, and PC1 then takes many seconds to come to the end of them. The route returns once it has: a window taken out
// of the topmost band is put back by a message that PC1 posts itself, behind the flood.
void Flood() {
    const HWND exam = RequireTarget(kExamWindow);
    const auto end = std::chrono::steady_clock::now() + 4s;
    Acted();
    {
        std::vector<std::jthread> posters;
        for (int i = 0; i < 4; ++i)
            posters.emplace_back([=] {
                while (std::chrono::steady_clock::now() < end) PostMessageW(exam, WM_NULL, 0, 0);
            });
    }
    Untopmost();
    for (const auto giveUp = end + 120s; !(GetWindowLongW(exam, GWL_EXSTYLE) & WS_EX_TOPMOST);) {
        if (std::chrono::steady_clock::now() > giveUp) throw std::runtime_error("PC1 never came to the flood's end");
        std::this_thread::sleep_for(50ms);
    }
}

// Close requests to the time-up dialog every half second while it shows, from its first moment on.
void CloseTimeUpDialog() {
    const auto giveUp = std::chrono::steady_clock::now() + 200s;
    HWND dialog = nullptr;
    while (!(dialog = e2e::FindTarget(L"TSonucForm")) || !IsWindowVisible(dialog)) {
        if (std::chrono::steady_clock::now() > giveUp) throw std::runtime_error("no time-up dialog");
        std::this_thread::sleep_for(5ms);
    }
    while (IsWindowVisible(dialog)) {
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        Send(dialog, WM_CLOSE, 0, 0);
        Send(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        std::this_thread::sleep_for(500ms);
    }
}

struct Route {
    std::wstring_view name;
    unsigned phases;
    void (*run)();
};

constexpr unsigned kExamAndResults = kExam | kResults;
// Once the exam has ended, "Yeni Oturum" is the candidate's own button, and the script's supervisor has revealed the
// close button, which may then close the program.
constexpr unsigned kExamOnly = kExam;

// The keys go to the focused control; the clicks, which may take the focus to a button, come after them.
const Route kRoutes[] = {
    {L"send-settext", kExamAndResults, OnTextAreas<SetText>},
    {L"send-replacesel", kExamAndResults, OnTextAreas<ReplaceSelection>},
    {L"send-settextex", kExamAndResults, OnTextAreas<SetTextEx>},
    {L"send-streamin", kExamAndResults, OnTextAreas<StreamIn>},
    {L"send-paste", kExamAndResults, OnTextAreas<Paste<Send>>},
    {L"post-paste", kExamAndResults, OnTextAreas<Paste<Post>>},
    {L"send-pastespecial", kExamAndResults, OnTextAreas<PasteSpecial<Send>>},
    {L"post-pastespecial", kExamAndResults, OnTextAreas<PasteSpecial<Post>>},
    {L"send-char", kExamAndResults, OnTextAreas<Characters<Send>>},
    {L"post-char", kExamAndResults, OnTextAreas<Characters<Post>>},
    {L"send-keys", kExamAndResults, OnTextAreas<Keys<Send>>},
    {L"post-keys", kExamAndResults, OnTextAreas<Keys<Post>>},
    {L"send-clear", kExamAndResults, OnTextAreas<Clear<Send>>},
    {L"post-clear", kExamAndResults, OnTextAreas<Clear<Post>>},
    {L"send-undo", kExamAndResults, OnTextAreas<Undo<Send>>},
    {L"post-undo", kExamAndResults, OnTextAreas<Undo<Post>>},
    {L"send-setreadonly", kExamAndResults, OnTextAreas<MakeWritable<Send>>},
    {L"post-setreadonly", kExamAndResults, OnTextAreas<MakeWritable<Post>>},
    {L"input-unicode", kExamAndResults, Input<true>},
    {L"input-keys", kExamAndResults, Input<false>},
    {L"tick-SinavTimer", kReady | kCountdown | kExamAndResults, Ticks<kSinavTimer>},
    {L"tick-BaslatTimer", kReady | kExamAndResults, Ticks<kBaslatTimer>},
    {L"hide", kExamAndResults, Show<SW_HIDE>},
    {L"minimise", kExamAndResults, Show<SW_MINIMIZE>},
    {L"move", kExamAndResults, Place<100, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER>},
    {L"resize", kExamAndResults, Place<0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER>},
    {L"untopmost", kExamAndResults, Untopmost},
    {L"setparent", kExamAndResults, OnTextAreas<TakeAway>},
    {L"post-click-Baslat", kExamAndResults, Click<kBaslat, Post>},
    {L"send-click-Baslat", kExamAndResults, Click<kBaslat, Send>},
    {L"bmclick-Baslat", kExamAndResults, ButtonClick<kBaslat>},
    {L"post-click-Temizle", kExamOnly, Click<kTemizle, Post>},
    {L"send-click-Temizle", kExamOnly, Click<kTemizle, Send>},
    {L"bmclick-Temizle", kExamOnly, ButtonClick<kTemizle>},
    {L"post-close", kExamOnly, ToExamWindow<Post, WM_CLOSE, 0>},
    {L"send-close", kExamOnly, ToExamWindow<Send, WM_CLOSE, 0>},
    {L"post-sysclose", kExamOnly, ToExamWindow<Post, WM_SYSCOMMAND, SC_CLOSE>},
    {L"post-quit", kExamOnly, ToExamWindow<Post, WM_QUIT, 0>},
    {L"thread-quit", kExamOnly, QuitThread},
    {L"send-setredraw", kReady | kCountdown | kExamAndResults, ToExamWindow<Send, WM_SETREDRAW, FALSE>},
    {L"post-setredraw", kReady | kCountdown | kExamAndResults, ToExamWindow<Post, WM_SETREDRAW, FALSE>},
    {L"mouse-Temizle", kResults, MouseClick<kTemizle>},
    {L"mouse-Baslat", kReady, MouseClick<kBaslat>},
    {L"mouse-KapatBtn", kTyping, MouseClick<kKapatBtn>},
    {L"mouse-Yazilan", kTyping, MouseClickAtTheStart},
    {L"steal-foreground", kTyping, StealForeground},
    {L"setparent-typing", kTyping, [] { TakeAway(RequireTarget(kYazilan)); }},
    {L"flood-typing", kTyping, Flood},
    {L"keystate-capslock", kTyping, SetKeyState<VK_CAPITAL, 1>},
    {L"keystate-alt", kTyping, SetKeyState<VK_MENU, 0x80>},
    // Run by the script at its moments, not with a phase.
    {L"flood", 0, Flood},
    {L"close-time-up-dialog", 0, CloseTimeUpDialog},
};

// The journal forger: files that another program of the candidate's user can write where PC1 keeps its journals.
std::int64_t WallMsNow() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void WriteJournal(const std::wstring& path, const std::string& bytes) {
    if (const DWORD error = platform::ReplaceWholeFile(path, path + L".tmp", bytes))
        throw std::runtime_error("cannot write the journal: " + std::to_string(error));
}

journal::JournalState ReadJournal(const std::wstring& path) {
    const journal::ReadResult read = journal::ReadJournalFile(path);
    if (!read.state) throw std::runtime_error("an unreadable journal: " + read.refusal);
    return *read.state;
}

void PlantJournal(const std::wstring& folder, const std::wstring& samplePath, const wchar_t* computer) {
    const std::int64_t wall = WallMsNow() - 200'000;
    journal::Opening opening;
    opening.examId = computer ? "20000101-000000-0badf00d" : "20000101-000000-f00dcafe";
    opening.candidateNumber = computer ? "667" : "666";
    opening.firstName = "SAHTE";
    opening.surname = "G\xDCNL\xDCK";
    opening.wallMs = wall;
    if (computer) {
        opening.computerName = platform::NarrowCp1254(computer);
        for (int i = 0; i < 60; ++i) opening.sampleText += "bir iki \xFC\xE7 d\xF6rt be\xFE ";
        opening.sampleIdentity = platform::Sha256Hex(opening.sampleText);
    } else {
        wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
        DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
        GetComputerNameW(name, &size);
        opening.computerName = platform::NarrowCp1254({name, size});
        const platform::WholeFile sample = platform::ReadWholeFile(samplePath, 1 << 20);
        if (sample.error) throw std::runtime_error("cannot read the sample");
        opening.sampleIdentity = platform::Sha256Hex(sample.bytes);
        for (int i = 0; i < 30; ++i) opening.sampleText += "zeytin peynir ";
    }
    opening.computer = "PC1 - (" + opening.computerName + ")";
    const journal::Event events[] = {journal::ClockStarted{wall}, journal::Edit{1000, 0, 0, opening.sampleText},
                                     journal::TimeUp{180'000, wall + 180'000}};
    WriteJournal(platform::InFolder(folder, opening.examId + ".pc1j"),
                 journal::EncodeHeader() + journal::EncodeOpening(opening) + journal::EncodeFrame(events));
}

void AppendToJournal(const std::wstring& path, const std::wstring& words) {
    const journal::JournalState state = ReadJournal(path);
    const journal::Event edit =
        journal::Edit{state.examMs, static_cast<std::uint32_t>(state.typed.size()), 0, platform::NarrowCp1254(words)};
    const platform::WholeFile file = platform::ReadWholeFile(path, journal::kMaxJournalBytes);
    WriteJournal(path, file.bytes + journal::EncodeFrame(std::span(&edit, 1)));
}

void RewindJournal(const std::wstring& path, std::uint32_t examMs) {
    journal::JournalState state = ReadJournal(path);
    state.examMs = examMs;
    WriteJournal(path, journal::EncodeHeader() + journal::EncodeCheckpoint(state));
}

int Run(std::span<wchar_t*> args) {
    const std::wstring_view command = args.size() > 1 ? args[1] : L"";
    if (command == L"journal-plant" && args.size() > 3) {
        PlantJournal(args[2], args[3], args.size() > 4 ? args[4] : nullptr);
        return 0;
    }
    if (command == L"journal-append" && args.size() > 3) {
        AppendToJournal(args[2], args[3]);
        return 0;
    }
    if (command == L"journal-rewind" && args.size() > 3) {
        RewindJournal(args[2], static_cast<std::uint32_t>(std::stoul(args[3])));
        return 0;
    }
    if (command == L"list" && args.size() > 2) {
        for (const auto& [name, phase] : kPhases) {
            if (name != args[2]) continue;
            for (const Route& route : kRoutes)
                if (route.phases & phase) e2e::Print(route.name);
            return 0;
        }
        throw std::runtime_error("unknown phase");
    }
    if (command == L"typist" && args.size() > 2) {
        Typist(std::chrono::milliseconds(std::stoi(args[2])));
        return 0;
    }
    for (const Route& route : kRoutes) {
        if (route.name != command) continue;
        route.run();
        return 0;
    }
    throw std::runtime_error("unknown route");
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return e2e::RunCommandLine("tamper", argc, argv, Run); }
