#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/Cp1254.h"
#include "settings/RecordsFolderCheck.h"

namespace {

namespace fs = std::filesystem;

constexpr char kNotMade[] = "Klas\xF6r bulunamad\xFD ve olu\xFEturulamad\xFD: ";

// Under Wine as root no folder refuses its files, so one that Windows' rights close is not among the cases.
TEST(SettingsFolderCheck, TellsWhetherRecordsCanBeKeptAndLeavesNothingBehind) {
    const fs::path root = fs::temp_directory_path() / ("pc1-folder-check-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(root / "var");
    std::ofstream(root / "dosya.txt") << "bir dosya";
    const struct {
        const char* name;
        std::string folder;                   // UTF-8
        std::optional<std::string> expected;  // the fault's beginning, or none
    } cases[] = {
        {"an existing folder", root.string() + "\\var", std::nullopt},
        {"a folder to be made, two levels deep", root.string() + "\\yeni\\\xC3\xA7\xC4\xB1kt\xC4\xB1", std::nullopt},
        {"a folder under a file", root.string() + "\\dosya.txt\\alt", kNotMade},
        {"a share whose server does not exist", "\\\\yok\\pay", kNotMade},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> fault = settings::RecordsFolderFault(c.folder);
        if (!c.expected) {
            EXPECT_FALSE(fault) << c.name << ": " << fault.value_or("");
            EXPECT_TRUE(fs::is_empty(platform::WidenUtf8(c.folder))) << c.name << ": the check left a file";
        } else {
            EXPECT_TRUE(fault && fault->starts_with(*c.expected) && fault->size() > c.expected->size())
                << c.name << ": " << fault.value_or("no fault");
        }
    }
    fs::remove_all(root);
}

constexpr UINT kChecked = WM_APP;

// The answers posted to `window` within ten seconds, up to `count`.
int AnswersPosted(HWND window, int count) {
    int answers = 0;
    const ULONGLONG deadline = GetTickCount64() + 10000;
    for (MSG message; answers < count && GetTickCount64() < deadline;) {
        if (PeekMessageW(&message, window, kChecked, kChecked, PM_REMOVE))
            ++answers;
        else
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_POSTMESSAGE);
    }
    return answers;
}

TEST(SettingsFolderCheck, OnlyTheLatestCheckCountsWhicheverEndsFirst) {
    const std::string usable = fs::temp_directory_path().string();
    const std::string failing = "\\\\yok\\pay";
    const HWND window = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const struct {
        std::string earlier, latest;
        bool fails;
    } cases[] = {{failing, usable, false}, {usable, failing, true}};
    for (const auto& c : cases) {
        settings::RecordsFolderCheck check(window, kChecked);
        check.Start(c.earlier);
        check.Start(c.latest);
        ASSERT_EQ(AnswersPosted(window, 2), 2) << c.latest;
        EXPECT_EQ(check.LatestState(), settings::RecordsFolderCheck::State::Done) << c.latest;
        EXPECT_EQ(check.LatestFault().has_value(), c.fails) << c.latest << ": " << check.LatestFault().value_or("");
    }
    DestroyWindow(window);
}

}  // namespace
