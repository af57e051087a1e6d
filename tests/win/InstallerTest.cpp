// The installer built beside the tests, run silently as a supervisor would: what it puts where, the supervisor's
// sequence it sets, PC1 started from its Start-menu shortcut, an update over an installation, and the uninstaller
// registered with Windows.
// Every test leaves no installation behind, whatever happens in it.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <tlhelp32.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <thread>

#include "config/SequenceCheck.h"
#include "config/pure/Settings.h"
#include "tests/win/ProgramUnderTest.h"
#include "tests/win/TestSequence.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\PC1";
// As staged; PC1.ini is the sample with the supervisor's sequence set in it.
constexpr const wchar_t* kInstalledFiles[] = {L"PC1.exe",   L"PC1Ayar.exe", L"PC1Salon.exe",
                                              L"Metin.rtf", L"KILAVUZ.txt", L"GUIDE.txt"};
constexpr DWORD kNoSequenceExitCode = 3, kSequenceRefusedExitCode = 4;

fs::path BuildFolder() {
    wchar_t path[MAX_PATH];
    return fs::path(std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH))).parent_path().parent_path();
}

fs::path SetupExe() { return BuildFolder() / (L"PC1-" PC1_VERSION L"-setup.exe"); }
// The files as the release step prepared them for the zip and the installer.
fs::path Staged(const wchar_t* name) { return BuildFolder() / L"release" / name; }

fs::path KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    if (FAILED(SHGetKnownFolderPath(id, 0, nullptr, &path))) return {};
    fs::path result(path);
    CoTaskMemFree(path);
    return result;
}

fs::path InstallFolder() { return KnownFolder(FOLDERID_ProgramFiles) / L"PC1"; }
fs::path StartMenuShortcut() { return KnownFolder(FOLDERID_CommonPrograms) / L"PC1.lnk"; }
fs::path SettingsShortcut() { return KnownFolder(FOLDERID_CommonPrograms) / L"PC1 Ayarlar\x0131.lnk"; }
fs::path HallShortcut() { return KnownFolder(FOLDERID_CommonPrograms) / L"PC1 Salon.lnk"; }

std::string FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A value of the uninstall entry, or nothing when the entry or the value is missing. The test is a 64-bit process,
// so it sees the registry as the 64-bit installer wrote it.
std::optional<std::wstring> UninstallValue(const wchar_t* name) {
    wchar_t data[1024];
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(data);
}

bool UninstallKeyExists() {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// Waits for the processes that a process started from a folder ~nsu<n>.tmp, and removes that folder. An NSIS
// uninstaller returns at once, leaving its work to a copy of itself that it starts from there, in the temporary
// folder, which Windows would remove at its next start.
void FinishUninstallerCopies(DWORD parentId) {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ParentProcessID != parentId) continue;
        const HANDLE child = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
        if (!child) continue;  // it has ended already
        wchar_t image[MAX_PATH];
        DWORD size = MAX_PATH;
        const fs::path folder =
            QueryFullProcessImageNameW(child, 0, image, &size) ? fs::path(image).parent_path() : fs::path();
        if (folder.filename().wstring().starts_with(L"~nsu")) {
            EXPECT_EQ(WaitForSingleObject(child, 60000), WAIT_OBJECT_0) << folder;
            std::error_code ignored;
            fs::remove_all(folder, ignored);
        }
        CloseHandle(child);
    }
    CloseHandle(snapshot);
}

// Runs a command line and waits until it has ended, and the uninstaller copies it started too; its exit code.
DWORD Run(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        ADD_FAILURE() << "cannot start " << testing::PrintToString(commandLine);
        return STILL_ACTIVE;
    }
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << testing::PrintToString(commandLine) << " still runs after a minute";
        TerminateProcess(process.hProcess, 1);
    }
    // The process's handle is still open, so its id names no other process yet.
    FinishUninstallerCopies(process.dwProcessId);
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

// `options`: the tests' sequence unless given.
DWORD InstallSilently(const std::wstring& options = L"/SIRA=" + std::wstring(testing_pc1::kTestSequence.begin(),
                                                                             testing_pc1::kTestSequence.end())) {
    return Run(L"\"" + SetupExe().wstring() + L"\" /S " + options);
}

// Uninstalls silently the way Windows does, with the command the installation registered, and these options.
DWORD UninstallSilently(const std::wstring& options = {}) {
    const auto command = UninstallValue(L"QuietUninstallString");
    return command ? Run(*command + L" " + options) : ERROR_FILE_NOT_FOUND;
}

// The installation's settings as PC1 reads them.
std::optional<config::Settings> InstalledSettings() {
    const auto parsed = config::ParseSettings(FileBytes(InstallFolder() / L"PC1.ini"));
    if (!std::holds_alternative<config::Settings>(parsed)) return std::nullopt;
    return std::get<config::Settings>(parsed);
}

// Leaves the Wine prefix without PC1 however a test ends, and starts each test without it.
class Installer : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(SetupExe())) << SetupExe();
        RemoveInstallation();
    }
    void TearDown() override { RemoveInstallation(); }

    static void RemoveInstallation() {
        if (UninstallKeyExists()) UninstallSilently(L"/AYARLARISIL");
        std::error_code ignored;
        fs::remove_all(InstallFolder(), ignored);
        fs::remove(StartMenuShortcut(), ignored);
        fs::remove(SettingsShortcut(), ignored);
        fs::remove(HallShortcut(), ignored);
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, kUninstallKey);
    }
};

struct Shortcut {
    fs::path target, workingFolder;
    std::wstring arguments;
};

std::optional<Shortcut> ReadShortcut(const fs::path& file) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* link = nullptr;
    IPersistFile* persisted = nullptr;
    std::optional<Shortcut> result;
    wchar_t target[MAX_PATH], folder[MAX_PATH], arguments[1024];
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_PPV_ARGS(&persisted))) &&
        SUCCEEDED(persisted->Load(file.c_str(), STGM_READ)) &&
        SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
        SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH)) && SUCCEEDED(link->GetArguments(arguments, 1024)))
        result = Shortcut{target, folder, arguments};
    if (persisted) persisted->Release();
    if (link) link->Release();
    CoUninitialize();
    return result;
}

bool SameFolder(const fs::path& a, const fs::path& b) {
    return CompareStringOrdinal(a.lexically_normal().wstring().c_str(), -1, b.lexically_normal().wstring().c_str(), -1,
                                TRUE) == CSTR_EQUAL;
}

// A process started as Explorer starts a shortcut, ended when the test is done with it.
class Started {
public:
    explicit Started(const Shortcut& shortcut) {
        testing_pc1::ForgetUnfinishedExams();
        std::wstring commandLine = L"\"" + shortcut.target.wstring() + L"\" " + shortcut.arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            shortcut.workingFolder.c_str(), &startup, &process_))
            ADD_FAILURE() << "cannot start " << testing::PrintToString(commandLine);
    }
    ~Started() {
        if (!process_.hProcess) return;
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 10000);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;

    HWND WaitForWindow(const wchar_t* className, std::chrono::milliseconds timeout) const {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        do {
            if (const HWND found = testing_pc1::FindProcessWindow(process_.dwProcessId, className)) return found;
            std::this_thread::sleep_for(50ms);
        } while (std::chrono::steady_clock::now() < deadline);
        return nullptr;
    }

private:
    PROCESS_INFORMATION process_{};
};

// Adds up the length of the text in the rich-edit controls; GetWindowText does not ask another process's control.
BOOL CALLBACK AddRichEditLength(HWND child, LPARAM total) {
    wchar_t className[64];
    GetClassNameW(child, className, 64);
    if (std::wstring_view(className) == L"RICHEDIT")
        *reinterpret_cast<LRESULT*>(total) += SendMessageW(child, WM_GETTEXTLENGTH, 0, 0);
    return TRUE;
}

TEST_F(Installer, PutsPC1IntoProgramFilesWithAShortcutThatStartsItBesideItsSampleAndUninstallsWithoutTrace) {
    ASSERT_EQ(InstallSilently(), 0u);

    const fs::path folder = InstallFolder();
    for (const wchar_t* name : kInstalledFiles) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        ASSERT_TRUE(fs::exists(folder / name));
        EXPECT_TRUE(FileBytes(folder / name) == FileBytes(Staged(name)));
    }
    EXPECT_TRUE(fs::exists(folder / L"Uninstall.exe"));
    const std::optional<config::Settings> settings = InstalledSettings();
    ASSERT_TRUE(settings && settings->sequence);
    EXPECT_TRUE(config::IsTheSequence(*settings->sequence, testing_pc1::kTestSequence));
    EXPECT_GE(settings->sequence->iterations, config::kMinIterations);

    // The Turkish guide shows its letters in Notepad whatever the code page: UTF-8 with a byte-order mark.
    const std::string kilavuz = FileBytes(folder / L"KILAVUZ.txt");
    ASSERT_TRUE(kilavuz.starts_with("\xEF\xBB\xBF"));
    EXPECT_GT(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, kilavuz.data(), static_cast<int>(kilavuz.size()),
                                  nullptr, 0),
              0);
    EXPECT_NE(kilavuz.find("k\xC4\xB1lavuzu"), std::string::npos);  // "kılavuzu"

    EXPECT_EQ(UninstallValue(L"DisplayName"), L"PC1");
    EXPECT_EQ(UninstallValue(L"DisplayVersion"), PC1_VERSION);
    ASSERT_TRUE(UninstallValue(L"InstallLocation"));
    EXPECT_TRUE(SameFolder(*UninstallValue(L"InstallLocation"), folder));
    EXPECT_EQ(UninstallValue(L"UninstallString"), L"\"" + (folder / L"Uninstall.exe").wstring() + L"\"");
    EXPECT_EQ(UninstallValue(L"QuietUninstallString"), L"\"" + (folder / L"Uninstall.exe").wstring() + L"\" /S");

    const auto shortcut = ReadShortcut(StartMenuShortcut());
    ASSERT_TRUE(shortcut) << StartMenuShortcut();
    EXPECT_TRUE(SameFolder(shortcut->target, folder / L"PC1.exe")) << shortcut->target;
    EXPECT_TRUE(SameFolder(shortcut->workingFolder, folder)) << shortcut->workingFolder;
    const auto settingsShortcut = ReadShortcut(SettingsShortcut());
    ASSERT_TRUE(settingsShortcut) << SettingsShortcut();
    EXPECT_TRUE(SameFolder(settingsShortcut->target, folder / L"PC1Ayar.exe")) << settingsShortcut->target;
    const auto hallShortcut = ReadShortcut(HallShortcut());
    ASSERT_TRUE(hallShortcut) << HallShortcut();
    EXPECT_TRUE(SameFolder(hallShortcut->target, folder / L"PC1Salon.exe")) << hallShortcut->target;
    {
        // Started from the shortcut, PC1 finds the sample text in its folder at the exam start: the sample shows.
        Started program(*shortcut);
        const HWND dialog = program.WaitForWindow(L"TGirisForm", 60s);
        ASSERT_NE(dialog, nullptr);
        testing_pc1::ProgramAgent agent;
        testing_pc1::FillInEntry(agent, dialog, L"1", L"a", L"b");
        const HWND exam = program.WaitForWindow(L"TSinavForm", 10s);
        ASSERT_NE(exam, nullptr);
        // The start button clicked inside the program: nothing that another program sends reaches the exam window.
        agent.Send(testing_pc1::ControlAt(exam, {200, 60}), BM_CLICK);

        LRESULT shown = 0;
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (shown == 0 && std::chrono::steady_clock::now() < deadline) {
            if (const HWND box = program.WaitForWindow(L"#32770", 0ms))
                FAIL() << testing::PrintToString(testing_pc1::MessageBoxText(box));
            std::this_thread::sleep_for(50ms);
            EnumChildWindows(exam, AddRichEditLength, reinterpret_cast<LPARAM>(&shown));
        }
        EXPECT_GT(shown, 0);
    }

    EXPECT_EQ(UninstallSilently(L"/AYARLARISIL"), 0u);
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_FALSE(fs::exists(StartMenuShortcut()));
    EXPECT_FALSE(fs::exists(SettingsShortcut()));
    EXPECT_FALSE(fs::exists(HallShortcut()));
    EXPECT_FALSE(UninstallKeyExists());
}

// A silent install never leaves an installation on which no exam can start without saying so; the sequence stays
// through an uninstall that is not asked to take the settings, and a later install keeps using it.
TEST_F(Installer, SilentInstallTakesTheSequenceOrOneAlreadySet) {
    EXPECT_EQ(InstallSilently(L""), kNoSequenceExitCode);
    EXPECT_FALSE(fs::exists(InstallFolder() / L"PC1.exe"));

    EXPECT_EQ(InstallSilently(L"/SIRA=112345"), kSequenceRefusedExitCode);
    ASSERT_TRUE(InstalledSettings());
    EXPECT_FALSE(InstalledSettings()->sequence);

    ASSERT_EQ(InstallSilently(), 0u);
    const std::string settingsFile = FileBytes(InstallFolder() / L"PC1.ini");
    EXPECT_EQ(UninstallSilently(), 0u);
    EXPECT_FALSE(fs::exists(InstallFolder() / L"PC1.exe"));
    EXPECT_TRUE(FileBytes(InstallFolder() / L"PC1.ini") == settingsFile);

    ASSERT_EQ(InstallSilently(L""), 0u);
    EXPECT_TRUE(FileBytes(InstallFolder() / L"PC1.ini") == settingsFile);
}

// The supervisor's own sample text outlives PC1 too: uninstalling keeps it, settings removed or not.
TEST_F(Installer, UpdateAndUninstallKeepTheSampleTextAndTheSettingsTheSupervisorPutInPlace) {
    ASSERT_EQ(InstallSilently(), 0u);
    std::string ownSample = FileBytes(Staged(L"Metin.rtf"));
    ownSample[ownSample.size() / 2] ^= 1;  // as long as the shipped sample: only its bytes tell it apart
    const struct {
        fs::path file;
        std::string ownText;
    } own[] = {
        {InstallFolder() / L"Metin.rtf", ownSample},
        {InstallFolder() / L"PC1.ini", "[PC1]\r\nKurulBaskani=Ayse Yilmaz\r\n" + testing_pc1::TestSequenceSetting()}};
    for (const auto& file : own) std::ofstream(file.file, std::ios::binary | std::ios::trunc) << file.ownText;
    fs::remove(InstallFolder() / L"PC1.exe");

    ASSERT_EQ(InstallSilently(L""), 0u);
    EXPECT_TRUE(FileBytes(InstallFolder() / L"PC1.exe") == FileBytes(Staged(L"PC1.exe")));
    for (const auto& file : own) EXPECT_TRUE(FileBytes(file.file) == file.ownText) << file.file;

    EXPECT_EQ(UninstallSilently(L"/AYARLARISIL"), 0u);
    EXPECT_TRUE(FileBytes(own[0].file) == own[0].ownText);
    EXPECT_FALSE(fs::exists(own[1].file));
    EXPECT_FALSE(fs::exists(InstallFolder() / L"PC1.exe"));
}

}  // namespace
