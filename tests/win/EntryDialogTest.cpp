// The entry dialog in the test's own process: what each field accepts, where Enter leads, how the entry is
// confirmed and what an incomplete one shows.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "entry/Backdrop.h"
#include "entry/EntryDialog.h"
#include "platform/Cp1254.h"
#include "platform/ErrorHandler.h"
#include "tests/win/EntryTestDriver.h"
#include "tests/win/ProgramUnderTest.h"

namespace {

using testing_pc1::Type;

class EntryDialog : public testing::Test {
protected:
    void SetUp() override {
        platform::SetApplicationErrorHandler([](const std::exception& error) { ADD_FAILURE() << error.what(); });
    }
};

TEST_F(EntryDialog, FiltersTheNumberAndMovesOnWithEnter) {
    entry::TArkaPlan backdrop(nullptr);
    entry::TGirisForm dialog(backdrop.Handle());
    ShowWindow(dialog.Handle(), SW_SHOW);
    using namespace entry::GirisForm;
    const struct {
        entry::TGirisForm::Id field;
        const char* typed;
        const char* text;
        entry::TGirisForm::Id focusAfter;
    } cases[] = {
        {Adayno, "12a-\xFEz3\b4", "124", Adayno},
        {Adayno, "5\r", "5", Adi},
        {Adi, "\xFEule 2-\r", "\xFEule 2-", Soyadi},
        {Soyadi, "\xFDlgaz 3", "\xFDlgaz 3", Soyadi},
        {Adi, "\xE7\xF0\xFD\xDD\xF6\xFE\xFC\xC7\xD0\xD6\xDE\xDC\xE2\xEE\xFB",
         "\xE7\xF0\xFD\xDD\xF6\xFE\xFC\xC7\xD0\xD6\xDE\xDC\xE2\xEE\xFB", Adi},
        {Adayno, "123456789", "1234567", Adayno},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const HWND field = dialog.Control(c.field).Handle();
        dialog.Control(c.field).SetText("");
        SetFocus(field);
        Type(field, c.typed);
        EXPECT_EQ(dialog.Control(c.field).Text(), c.text);
        EXPECT_EQ(GetFocus(), dialog.Control(c.focusAfter).Handle());
    }
}

// Pasted, or set by another program, the number keeps only its digits all the same.
TEST_F(EntryDialog, TheNumberKeepsOnlyDigitsHoweverTextArrives) {
    entry::TGirisForm dialog(nullptr);
    ShowWindow(dialog.Handle(), SW_SHOW);
    const HWND adayno = dialog.Control(entry::GirisForm::Adayno).Handle();
    SetWindowTextW(adayno, L"12ab3");
    EXPECT_EQ(dialog.Control(entry::GirisForm::Adayno).Text(), "123");
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, sizeof L"x4\u015F5");
    std::memcpy(GlobalLock(data), L"x4\u015F5", sizeof L"x4\u015F5");
    GlobalUnlock(data);
    SetClipboardData(CF_UNICODETEXT, data);
    CloseClipboard();
    SendMessageW(adayno, EM_SETSEL, 1, 1);
    SendMessageW(adayno, WM_PASTE, 0, 0);
    EXPECT_EQ(dialog.Control(entry::GirisForm::Adayno).Text(), "14523");
    Type(adayno, "6");
    EXPECT_EQ(dialog.Control(entry::GirisForm::Adayno).Text(), "145623");
}

// Typed or set as another program sets it, a character that Windows-1254 lacks is refused with a message naming it.
TEST_F(EntryDialog, RefusesWhatWindows1254LacksWithAMessage) {
    entry::TGirisForm dialog(nullptr);
    ShowWindow(dialog.Handle(), SW_SHOW);
    const HWND soyadi = dialog.Control(entry::GirisForm::Soyadi).Handle();
    std::wstring shown;
    testing_pc1::WindowWatcher watcher({{L"#32770", [&](HWND box) {
                                             const std::wstring text = testing_pc1::MessageBoxText(box);
                                             shown += text.substr(0, text.find(L')') + 1) + L"|";
                                             EndDialog(box, IDOK);
                                         }}});
    for (const wchar_t unit : std::wstring(L"Ay\U0001F600e")) SendMessageW(soyadi, WM_CHAR, unit, 1);
    EXPECT_EQ(testing_pc1::WindowText(soyadi), L"Aye");
    SetWindowTextW(soyadi, L"Ali\u674E");
    EXPECT_EQ(testing_pc1::WindowText(soyadi), L"Ali");
    EXPECT_EQ(shown, L"\u00AB\U0001F600\u00BB (U+1F600)|\u00AB\u674E\u00BB (U+674E)|");
}

TEST_F(EntryDialog, ConfirmsWithTheNamesInTurkishCapitals) {
    using Action = std::function<void(const entry::TGirisForm&)>;
    const struct {
        const char* name;
        Action confirm;
        const char *adi, *soyadi, *adiKaydi, *soyadiKaydi;
    } cases[] = {
        {"Enter in the surname field", [](auto& d) { Type(d.Control(entry::GirisForm::Soyadi).Handle(), "\r"); },
         "\xFEule", "\xFDlgaz", "\xDEULE", "ILGAZ"},
        {"Tamam clicked", [](auto& d) { SendMessageW(d.Control(entry::GirisForm::Tamam).Handle(), BM_CLICK, 0, 0); },
         "ilker", "\xE7i\xF0li", "\xDDLKER", "\xC7\xDD\xD0L\xDD"},
        {"Enter on Tamam",
         [](auto& d) { SendMessageW(d.Control(entry::GirisForm::Tamam).Handle(), WM_KEYDOWN, VK_RETURN, 1); }, " ",
         "a b", " ", "A B"},
        {"Shift+Enter on Kapat",
         [](auto& d) {
             testing_pc1::HeldKeys shift{VK_SHIFT};
             SendMessageW(d.Control(entry::GirisForm::Kapat).Handle(), WM_KEYDOWN, VK_RETURN, 1);
             SendMessageW(d.Control(entry::GirisForm::Kapat).Handle(), WM_CHAR, '\r', 1);
         },
         "\xF6mer", "\xFC\xE7", "\xD6MER", "\xDC\xC7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        entry::AdayKaydi = {};
        entry::TArkaPlan backdrop(nullptr);
        entry::TGirisForm dialog(backdrop.Handle());
        ShowWindow(backdrop.Handle(), SW_SHOW);
        testing_pc1::WindowWatcher watcher({
            {L"TGirisForm",
             [&](HWND) {
                 EXPECT_EQ(GetFocus(), dialog.Control(entry::GirisForm::Adayno).Handle());
                 Type(dialog.Control(entry::GirisForm::Adayno).Handle(), "42\r");
                 Type(dialog.Control(entry::GirisForm::Adi).Handle(), c.adi);
                 Type(dialog.Control(entry::GirisForm::Adi).Handle(), "\r");
                 Type(dialog.Control(entry::GirisForm::Soyadi).Handle(), c.soyadi);
                 c.confirm(dialog);
                 if (dialog.IsModal()) {
                     ADD_FAILURE() << "the dialog stays open";
                     dialog.Close();
                 }
             }},
            {L"#32770",
             [](HWND box) {
                 ADD_FAILURE() << "a message box showed";
                 EndDialog(box, IDOK);
             }},
        });
        dialog.ShowModal();
        EXPECT_EQ(entry::AdayKaydi.adayNo, "42");
        EXPECT_EQ(entry::AdayKaydi.adi, c.adiKaydi);
        EXPECT_EQ(entry::AdayKaydi.soyadi, c.soyadiKaydi);
        EXPECT_FALSE(IsWindowVisible(backdrop.Handle()));
    }
}

// Esc closes the box as Enter does; its release then reaches the dialog, which stays.
TEST_F(EntryDialog, WarnsAndKeepsTheTextsWhileAFieldIsEmpty) {
    const struct {
        const char *adayNo, *adi, *soyadi;
        WORD closingKey;
    } cases[] = {
        {"1", "", "b", VK_RETURN}, {"1", "a", "", VK_ESCAPE}, {"", "a", "b", VK_RETURN}, {"", "", "", VK_ESCAPE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.adayNo << "|" << c.adi << "|" << c.soyadi);
        entry::AdayKaydi = {"9", "X", "Y"};
        entry::TArkaPlan backdrop(nullptr);
        entry::TGirisForm dialog(backdrop.Handle());
        ShowWindow(backdrop.Handle(), SW_SHOW);
        ShowWindow(dialog.Handle(), SW_SHOW);
        dialog.Control(entry::GirisForm::Adayno).SetText(c.adayNo);
        dialog.Control(entry::GirisForm::Adi).SetText(c.adi);
        dialog.Control(entry::GirisForm::Soyadi).SetText(c.soyadi);
        SetFocus(dialog.Control(entry::GirisForm::Soyadi).Handle());
        std::wstring caption, text;
        testing_pc1::WindowWatcher watcher({{L"#32770", [&](HWND box) {
                                                 caption = testing_pc1::WindowText(box);
                                                 text = testing_pc1::MessageBoxText(box);
                                                 PostMessageW(box, WM_KEYDOWN, c.closingKey, 1);
                                             }}});
        platform::EventArgs args;
        dialog.TamamClick(args);
        SendMessageW(dialog.Control(entry::GirisForm::Soyadi).Handle(), WM_KEYUP, c.closingKey, 0xC0000001);
        EXPECT_TRUE(IsWindowVisible(backdrop.Handle()));
        EXPECT_EQ(caption, L"Uyar\x0131 !");
        EXPECT_EQ(text, platform::WidenCp1254("Aday Numaras\xFD ve Ad-Soyad bilgisi tam olarak girilmeden yazmaya "
                                              "ba\xFElayamazs\xFDn\xFDz"));
        ASSERT_TRUE(IsWindowVisible(dialog.Handle()));
        EXPECT_EQ(GetFocus(), dialog.Control(entry::GirisForm::Soyadi).Handle());
        EXPECT_EQ(dialog.Control(entry::GirisForm::Adayno).Text(), c.adayNo);
        EXPECT_EQ(dialog.Control(entry::GirisForm::Adi).Text(), c.adi);
        EXPECT_EQ(dialog.Control(entry::GirisForm::Soyadi).Text(), c.soyadi);
        EXPECT_EQ(entry::AdayKaydi.adi, "X");
    }
}

// With every field filled in, a close that got through would destroy the dialog instead of ending the process.
TEST_F(EntryDialog, IgnoresAltF4) {
    entry::TGirisForm dialog(nullptr);
    ShowWindow(dialog.Handle(), SW_SHOW);
    using namespace entry::GirisForm;
    using Id = entry::TGirisForm::Id;
    for (const auto field : {Adayno, Adi, Soyadi}) dialog.Control(field).SetText("1");
    for (const entry::TGirisForm::Id control :
         {Id(Adayno), Id(Adi), Id(Soyadi), Id(Tamam), Id(Kapat), Id(entry::TGirisForm::kSelf)}) {
        SCOPED_TRACE(control.index);
        const HWND target = dialog.Control(control).Handle();
        {
            testing_pc1::HeldKeys alt{VK_MENU};
            SendMessageW(target, WM_SYSKEYDOWN, VK_F4, 1 | KF_ALTDOWN << 16);
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        ASSERT_TRUE(IsWindow(dialog.Handle()));
    }
}

}  // namespace
