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

struct FolderCase {
    const char* name;
    std::string folder;                   // UTF-8; under the test's own folder unless it starts with a backslash
    std::optional<std::string> expected;  // the fault's beginning, or none
};

// Under Wine as root no folder refuses its files (the test's user writes everywhere), so a folder that Windows' own
// rights close is not among the cases.
class SettingsFolderCheckTest : public testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("pc1-folder-check-" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "var");
        std::ofstream(root_ / "dosya.txt") << "bir dosya";
    }
    void TearDown() override { fs::remove_all(root_); }
    std::string Under(const std::string& folder) const {
        return folder.starts_with('\\') ? folder : root_.string() + "\\" + folder;
    }
    fs::path root_;
};

TEST_F(SettingsFolderCheckTest, TellsWhetherRecordsCanBeKeptAndLeavesNothingBehind) {
    const FolderCase cases[] = {
        {"an existing folder", "var", std::nullopt},
        {"a folder to be made, two levels deep", "yeni\\\xC3\xA7\xC4\xB1kt\xC4\xB1", std::nullopt},
        {"a folder under a file", "dosya.txt\\alt", kNotMade},
        {"a share whose server does not exist", "\\\\yok\\pay", kNotMade},
    };
    for (const FolderCase& c : cases) {
        const std::string folder = Under(c.folder);
        const std::optional<std::string> fault = settings::RecordsFolderFault(folder);
        if (!c.expected) {
            EXPECT_FALSE(fault) << c.name << ": " << fault.value_or("");
            const fs::path made = platform::WidenUtf8(folder);
            EXPECT_TRUE(fs::is_directory(made)) << c.name;
            EXPECT_TRUE(fs::is_empty(made)) << c.name << ": the check left a file";
        } else {
            ASSERT_TRUE(fault) << c.name;
            EXPECT_TRUE(fault->starts_with(*c.expected)) << c.name << ": " << *fault;
            EXPECT_GT(fault->size(), c.expected->size()) << c.name << ": no system reason";
        }
    }
}

}  // namespace
