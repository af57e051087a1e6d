// The supervisor's sequence as the installation keeps it: Windows' key derivation against known answers, the check
// of six digits, and the settings program setting it silently, as the installer runs it.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "config/SequenceCheck.h"
#include "config/pure/Settings.h"
#include "platform/KeyDerivation.h"
#include "platform/pure/Hex.h"
#include "tests/win/ExamDriver.h"

namespace {

// RFC 7914's PBKDF2-HMAC-SHA256 vectors, and one of the program's own kind, cut to the 32 bytes kept.
TEST(SupervisorSecret, DerivesTheKnownKeys) {
    const std::uint8_t sixteen[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    const struct {
        std::string_view password, salt;
        std::uint32_t iterations;
        std::string key;
    } cases[] = {
        {"passwd", "salt", 1, "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"},
        {"Password", "NaCl", 80000, "4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56"},
        {"407193",
         {reinterpret_cast<const char*>(sixteen), 16},
         1000,
         "a4db730849a9cf10b577fe1111bc5a99a20181de82272b6f5f26e3fc12a78b47"},
    };
    for (const auto& c : cases) {
        const auto* salt = reinterpret_cast<const std::uint8_t*>(c.salt.data());
        EXPECT_EQ(platform::Hex(platform::DerivePbkdf2Sha256(c.password, {salt, c.salt.size()}, c.iterations)), c.key)
            << c.password;
    }
}

TEST(SupervisorSecret, OnlyTheHashedDigitsPassAndEveryHashHasItsOwnSalt) {
    const config::SequenceHash hash = config::HashSequence("407193", 1000);
    EXPECT_TRUE(config::IsTheSequence(hash, "407193"));
    for (const char* other : {"407139", "012345", "40719", ""})
        EXPECT_FALSE(config::IsTheSequence(hash, other)) << other;
    EXPECT_NE(config::HashSequence("407193", 1000).salt, hash.salt);
    EXPECT_GE(config::IterationsForCheckTime(), config::kMinIterations);
    EXPECT_LE(config::IterationsForCheckTime(), config::kMaxIterations);
}

std::filesystem::path TestFolder() {
    wchar_t path[MAX_PATH];
    return std::filesystem::path(std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH))).parent_path();
}

// PC1Ayar.exe copied into a fresh folder with the settings file given, run with this command line.
struct SettingsProgramRun {
    DWORD exitCode = STILL_ACTIVE;
    std::string fileAfter;
};

SettingsProgramRun RunSettingsProgram(const std::string& fileBefore, const std::wstring& arguments) {
    testing_pc1::SampleFolder folder;
    const std::filesystem::path here = folder.SampleFile().parent_path();
    std::filesystem::copy_file(TestFolder() / L"PC1Ayar.exe", here / L"PC1Ayar.exe");
    if (!fileBefore.empty()) std::ofstream(here / L"PC1.ini", std::ios::binary) << fileBefore;
    std::wstring commandLine = L"\"" + (here / L"PC1Ayar.exe").wstring() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    SettingsProgramRun run;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return run;
    WaitForSingleObject(process.hProcess, 60000);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::ifstream file(here / L"PC1.ini", std::ios::binary);
    run.fileAfter.assign(std::istreambuf_iterator<char>(file), {});
    return run;
}

// The installer's silent way: the digits on the command line, an exit code that says what became of them.
TEST(SupervisorSecret, TheSettingsProgramSetsTheSequenceFromTheCommandLine) {
    const std::string kept =
        "; Kurul\r\n[PC1]\r\nUye1=Ay\xC5\x9F"
        "e\r\nDenetimSirasi=\r\n";
    const struct {
        std::string name, before;
        std::wstring arguments;
        DWORD exitCode;
        bool setsTheSequence;
    } cases[] = {
        {"into a file with other keys", kept, L"/SIRA=407193", 0, true},
        {"where there is no file", "", L"/sira=407193", 0, true},
        {"a digit twice", kept, L"/SIRA=407194", 4, false},
        {"five digits", kept, L"/SIRA=40719", 4, false},
        {"into a faulty file", "Yazic=HP\r\n", L"/SIRA=407193", 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SettingsProgramRun run = RunSettingsProgram(c.before, c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        if (!c.setsTheSequence) {
            EXPECT_EQ(run.fileAfter, c.before);
            continue;
        }
        const auto parsed = config::ParseSettings(run.fileAfter);
        ASSERT_TRUE(std::holds_alternative<config::Settings>(parsed));
        const config::Settings& settings = std::get<config::Settings>(parsed);
        ASSERT_TRUE(settings.sequence.has_value());
        EXPECT_GE(settings.sequence->iterations, config::kMinIterations);
        EXPECT_TRUE(config::IsTheSequence(*settings.sequence, "407193"));
        EXPECT_EQ(run.fileAfter.find("407193"), std::string::npos);
        if (!c.before.empty()) {
            EXPECT_TRUE(
                run.fileAfter.starts_with("\xEF\xBB\xBF; Kurul\r\n[PC1]\r\nUye1=Ay\xC5\x9F"
                                          "e\r\n"));
        }
    }
}

}  // namespace
