// The setup wizard's real dialogs in this process under Wine, driven with messages: Enter on
// the licence page, Enter on the options page installs the test program itself into a scratch
// per-user folder (the registry and the shell links read back), "Change ..." and a failed
// install, Esc, then the removal stage finds everything gone.
#include "win32/setup/SetupWizard.h"
#include "platform/ModulePath.h"
#include "platform/win32/WideText.h"
#include "settings/TextTable.h"
#include "setuplogic/Installer.h"
#include "setuplogic/SetupPrompt.h"
#include "tests/TempFolder.h"
#include "tests/platform/win32/Win32TestSupport.h"
#include "tests/win32/Win32TestSupport.h"
#include "uilogic/WizardTemplates.h"
#include "win32/controls/Dpi.h"
#include "win32/setup/SetupMarker.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <deque>

namespace {

constexpr wchar_t kShellFolders[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

std::wstring RegText(const std::string& name) {
    return UserRegistryText(GetText(TextId::UninstallKeyPath), name);
}

// Answers the wizard's questions: OK boxes are kept, the folder picker gives the queued
// folders (none: cancelled).
class TestPrompt : public SetupPrompt {
public:
    PromptAnswer ShowMessage(const std::string& text, PromptButtons) override {
        m_messages.push_back(text);
        return PromptAnswer::Ok;
    }
    bool BrowseForFolder(const std::string& start, std::string& chosen) override {
        m_starts.push_back(start);
        if (m_folders.empty())
            return false;
        chosen = m_folders.front();
        m_folders.pop_front();
        return true;
    }
    void OpenAddress(const std::string&) override {}

    std::vector<std::string> m_messages;
    std::vector<std::string> m_starts;
    std::deque<std::string> m_folders;
};

// The user's per-user data folder and desktop point into a scratch folder while a test runs,
// so that the default install lands there; the old values come back afterwards.
class ShellFolderRedirect {
public:
    ShellFolderRedirect(const std::wstring& name, const std::string& folder) : m_name(name) {
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr);
        DWORD size = sizeof m_old;
        m_bHadOld = RegQueryValueExW(key, name.c_str(), nullptr, &m_type,
                                     reinterpret_cast<BYTE*>(m_old), &size) == ERROR_SUCCESS;
        const std::wstring wide = Wide(folder);
        RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                       static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    ~ShellFolderRedirect() {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kShellFolders, 0, KEY_ALL_ACCESS, &key) != 0)
            return;
        if (m_bHadOld)
            RegSetValueExW(key, m_name.c_str(), 0, m_type, reinterpret_cast<const BYTE*>(m_old),
                           static_cast<DWORD>((lstrlenW(m_old) + 1) * sizeof(wchar_t)));
        else
            RegDeleteValueW(key, m_name.c_str());
        RegCloseKey(key);
    }
    ShellFolderRedirect(const ShellFolderRedirect&) = delete;
    ShellFolderRedirect& operator=(const ShellFolderRedirect&) = delete;

private:
    std::wstring m_name;
    wchar_t m_old[1024] = {};
    DWORD m_type = REG_SZ;
    bool m_bHadOld = false;
};

std::string WinPath(const std::string& path) {
    std::string windows = path;
    for (char& c : windows) {
        if (c == '/')
            c = '\\';
    }
    return windows;
}

class SetupWizardTest : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareWindows();
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        m_base = WinPath(m_temp.Path()) + "\\" + kOddName + "\\";
        CreateDirectoryW(Wide(m_base).c_str(), nullptr);
        CreateDirectoryW(Wide(m_base + "Local").c_str(), nullptr);
        CreateDirectoryW(Wide(m_base + "Desktop").c_str(), nullptr);
        m_local = std::make_unique<ShellFolderRedirect>(L"Local AppData", m_base + "Local");
        m_desktop = std::make_unique<ShellFolderRedirect>(L"Desktop", m_base + "Desktop");
    }
    void TearDown() override {
        // Whatever a test left installed goes, through the removal stage itself.
        const std::string program = CInstaller::InstalledProgramOfEntry();
        if (!program.empty()) {
            CInstaller remover;
            remover.Uninstall(
                1, {GetText(TextId::UninstallSwitch), program.substr(0, program.rfind('\\') + 1)});
        }
        m_desktop.reset();
        m_local.reset();
        CoUninitialize();
    }

    void Open(CSetupFrame& frame) {
        ASSERT_TRUE(IsSetupPackage()); // the test program carries the marker, as delivered
        ASSERT_TRUE(frame.Create(nullptr));
        PumpPending();
    }
    static HWND Page(CXDialog& page) { return page.GetSafeHwnd(); }
    static bool Visible(HWND window) { return IsWindowVisible(window) != FALSE; }
    static LRESULT Checked(COptionsPage& page, int id) {
        return SendMessageW(page.Item(id), BM_GETCHECK, 0, 0);
    }
    // Enter as the keyboard gives it, to the window with the focus.
    static void Enter() { PressKey(GetFocus(), VK_RETURN); }

    TempFolder m_temp;
    std::string m_base;
    std::unique_ptr<ShellFolderRedirect> m_local;
    std::unique_ptr<ShellFolderRedirect> m_desktop;
    TestPrompt m_prompt;
};

TEST_F(SetupWizardTest, EnterAgreesEnterInstallsIntoThePerUserFolder) {
    const std::string folder = m_base + "Local\\Programs\\Corvane\\";
    const std::string program = folder + "corvane.exe";
    CSetupFrame frame(&m_prompt);
    Open(frame);
    COptionsPage& options = frame.OptionsPage();

    // The licence page, with the focus on "I Agree".
    EXPECT_EQ(TextOf(frame.GetSafeHwnd()), "Corvane Calculator Setup");
    EXPECT_TRUE(Visible(Page(frame.AgreementPage())));
    EXPECT_FALSE(Visible(Page(options)));
    EXPECT_EQ(TextOf(frame.Item(DialogId::Ok)), "I Agree");
    EXPECT_EQ(GetFocus(), frame.Item(DialogId::Ok));
    // The banner shows its bitmap at the window's DPI.
    HWND banner = frame.Item(SetupControl::Banner);
    EXPECT_NE(SendMessageW(banner, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    RECT bannerRect{};
    GetClientRect(banner, &bannerRect);
    EXPECT_EQ(bannerRect.right, Scale(458, DpiOf(frame.GetSafeHwnd())));
    EXPECT_NE(frame.AgreementPage().m_browser.GetHwnd(), nullptr);
    EXPECT_EQ(GetParent(frame.AgreementPage().m_browser.GetHwnd()), Page(frame.AgreementPage()));

    // Enter moves on to the options and installs nothing yet.
    Enter();
    EXPECT_EQ(frame.Flow().Stage(), 1);
    EXPECT_FALSE(Visible(Page(frame.AgreementPage())));
    EXPECT_TRUE(Visible(Page(options)));
    EXPECT_EQ(TextOf(frame.Item(DialogId::Ok)), "Install");
    EXPECT_EQ(GetFocus(), frame.Item(DialogId::Ok));
    EXPECT_FALSE(FileOrFolderExists(folder));
    EXPECT_NE(TextOf(frame.FolderLine()).find(folder), std::string::npos)
        << TextOf(frame.FolderLine());
    EXPECT_EQ(Checked(options, SetupControl::DesktopIcon), BST_CHECKED);
    EXPECT_EQ(Checked(options, SetupControl::RunAfter), BST_CHECKED);

    // Running the installed program would end this test: that option goes off.
    SendMessageW(options.Item(SetupControl::RunAfter), BM_CLICK, 0, 0);
    PumpPending();
    SetFocus(frame.Item(DialogId::Ok));
    Enter();
    ASSERT_TRUE(PumpUntil([&] { return frame.GetSafeHwnd() == nullptr; }));
    EXPECT_EQ(frame.Result(), DialogId::Ok);
    EXPECT_EQ(m_prompt.m_messages, std::vector<std::string>{"Setup complete"});

    // The program: this file with its marker replaced.
    EXPECT_TRUE(FileOrFolderExists(program));
    EXPECT_EQ(CInstaller::InstalledProgramOfEntry(), program);
    EXPECT_EQ(RegText("UninstallString"), L"\"" + Wide(program) + L"\" --uninstall");
    EXPECT_EQ(RegText("DisplayName"), L"Corvane Calculator");
    EXPECT_EQ(RegText("DisplayIcon"), Wide(program));
    EXPECT_EQ(RegText("InstallLocation"), Wide(folder));

    // Both links start it, in its folder, with no arguments.
    const std::string desktopLink = m_base + "Desktop\\Corvane Calculator.lnk";
    const std::string menuLink =
        KnownFolderPath(FOLDERID_Programs) + "Corvane Calculator\\" + "Corvane Calculator.lnk";
    for (const std::string& link : {desktopLink, menuLink}) {
        const LinkReadBack read = ReadLinkWithShell(link);
        ASSERT_TRUE(read.bLoaded) << link;
        EXPECT_EQ(read.itemsPath, Wide(program)) << link;
        const std::wstring tail = L"\\Local\\Programs\\Corvane\\corvane.exe";
        ASSERT_GE(read.path.size(), tail.size()) << link;
        EXPECT_EQ(read.path.substr(read.path.size() - tail.size()), tail) << link;
        EXPECT_EQ(read.arguments, L"") << link;
        EXPECT_EQ(read.workingDir, Wide(folder.substr(0, folder.size() - 1))) << link;
    }

    // The removal stage as the hand-over starts it finds all of it and leaves nothing.
    CInstaller remover;
    ASSERT_TRUE(remover.Uninstall(1, {"--uninstall", "\"" + folder + "\""})) << remover.m_strError;
    EXPECT_FALSE(FileOrFolderExists(folder));
    EXPECT_FALSE(FileOrFolderExists(desktopLink));
    EXPECT_FALSE(FileOrFolderExists(menuLink));
    EXPECT_EQ(RegText("UninstallString"), L"<missing>");
    EXPECT_TRUE(FileOrFolderExists(m_base + "Local\\Programs")); // not the install's own folder
}

TEST_F(SetupWizardTest, EnterInTheLicenceViewAgreesToo) {
    CSetupFrame frame(&m_prompt);
    Open(frame);
    HWND view = frame.AgreementPage().m_browser.GetHwnd();
    ASSERT_NE(view, nullptr);
    SetFocus(view);
    PressKey(view, VK_RETURN);
    PumpPending();
    EXPECT_EQ(frame.Flow().Stage(), 1);
    EXPECT_EQ(TextOf(frame.Item(DialogId::Ok)), "Install");
}

TEST_F(SetupWizardTest, AFailedInstallStaysAndAnotherFolderWorks) {
    CSetupFrame frame(&m_prompt);
    Open(frame);
    COptionsPage& options = frame.OptionsPage();
    Enter();
    const std::string before = TextOf(frame.FolderLine());

    // A cancelled picker leaves the folder as it was; it opened at the base folder.
    SendMessageW(options.Item(SetupControl::Change), BM_CLICK, 0, 0);
    PumpPending();
    ASSERT_EQ(m_prompt.m_starts.size(), 1u);
    EXPECT_EQ(m_prompt.m_starts[0], m_base + "Local\\Programs\\");
    EXPECT_EQ(TextOf(frame.FolderLine()), before);

    // A base folder whose parent is missing: the install fails, says so and stays open.
    const std::string missing = m_base + "missing\\deeper";
    m_prompt.m_folders = {missing, m_base + "chosen"};
    SendMessageW(options.Item(SetupControl::Change), BM_CLICK, 0, 0);
    PumpPending();
    EXPECT_NE(TextOf(frame.FolderLine()).find(missing + "\\Corvane\\"), std::string::npos);
    EXPECT_EQ(GetFocus(), frame.Item(DialogId::Ok)); // back from the picker, Enter installs
    SendMessageW(options.Item(SetupControl::DesktopIcon), BM_CLICK, 0, 0);
    SendMessageW(options.Item(SetupControl::RunAfter), BM_CLICK, 0, 0);
    PumpPending();
    SetFocus(frame.Item(DialogId::Ok));
    Enter();
    ASSERT_EQ(m_prompt.m_messages.size(), 1u);
    EXPECT_EQ(m_prompt.m_messages[0].rfind("Cannot create\n" + missing + "\\Corvane\\", 0), 0u)
        << m_prompt.m_messages[0];
    EXPECT_NE(frame.GetSafeHwnd(), nullptr);
    EXPECT_EQ(frame.Flow().Stage(), 1);
    EXPECT_EQ(RegText("UninstallString"), L"<missing>");

    // Another folder, Install again: done, without a desktop link.
    CreateDirectoryW(Wide(m_base + "chosen").c_str(), nullptr);
    SendMessageW(options.Item(SetupControl::Change), BM_CLICK, 0, 0);
    PumpPending();
    SendMessageW(frame.Item(DialogId::Ok), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return frame.GetSafeHwnd() == nullptr; }));
    EXPECT_EQ(m_prompt.m_messages.back(), "Setup complete");
    EXPECT_TRUE(FileOrFolderExists(m_base + "chosen\\Corvane\\corvane.exe"));
    EXPECT_FALSE(FileOrFolderExists(m_base + "Desktop\\Corvane Calculator.lnk"));
    EXPECT_EQ(CInstaller::InstalledProgramOfEntry(), m_base + "chosen\\Corvane\\corvane.exe");
}

TEST_F(SetupWizardTest, EscOnTheOptionsPageCancelsWithNothingInstalled) {
    CSetupFrame frame(&m_prompt);
    Open(frame);
    Enter();
    HWND box = frame.OptionsPage().Item(SetupControl::DesktopIcon);
    SetFocus(box);
    PressKey(box, VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return frame.GetSafeHwnd() == nullptr; }));
    EXPECT_EQ(frame.Result(), DialogId::Cancel);
    EXPECT_TRUE(m_prompt.m_messages.empty());
    EXPECT_FALSE(FileOrFolderExists(m_base + "Local\\Programs\\Corvane"));
    EXPECT_EQ(RegText("UninstallString"), L"<missing>");
}

// A program in use cannot be deleted on Windows (the calculator still running): the removal
// stage then stops with the reason and leaves the links, the settings and the entry, so that
// the uninstall can be run again once the program has ended.
TEST_F(SetupWizardTest, AProgramInUseStopsTheRemovalWithEverythingKept) {
    CInstaller installer;
    installer.m_bDesktopIcon = 1;
    ASSERT_TRUE(installer.Install()) << installer.m_strError;
    const std::string folder = installer.m_strFolder;
    const std::string program = installer.InstalledProgramPath();
    const std::string settings = folder + "corvane.cfg";
    const std::string desktopLink = m_base + "Desktop\\Corvane Calculator.lnk";
    const HANDLE cfg = CreateFileW(Wide(settings).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(cfg, INVALID_HANDLE_VALUE);
    CloseHandle(cfg);

    const HANDLE inUse = CreateFileW(Wide(program).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(inUse, INVALID_HANDLE_VALUE);
    CInstaller remover;
    const bool removed = remover.Uninstall(1, {"--uninstall", "\"" + folder + "\""});
    CloseHandle(inUse);
    EXPECT_FALSE(removed);
    EXPECT_EQ(remover.m_strError.rfind(
                  "Corvane Calculator could not be removed from\n" + folder + "\n", 0),
              0u)
        << remover.m_strError;
    EXPECT_GT(remover.m_strError.size(),
              ("Corvane Calculator could not be removed from\n" + folder + "\n").size());
    EXPECT_TRUE(FileOrFolderExists(program));
    EXPECT_TRUE(FileOrFolderExists(settings));
    EXPECT_TRUE(FileOrFolderExists(desktopLink));
    EXPECT_EQ(CInstaller::InstalledProgramOfEntry(), program);

    // Once the program has ended, the same command removes it all.
    ASSERT_TRUE(remover.Uninstall(1, {"--uninstall", folder})) << remover.m_strError;
    EXPECT_FALSE(FileOrFolderExists(folder));
    EXPECT_FALSE(FileOrFolderExists(desktopLink));
    EXPECT_EQ(RegText("UninstallString"), L"<missing>");
}

// A file named Corvane where the install folder should be: the install stops at the folder,
// says so, and the file stays as it was.
TEST_F(SetupWizardTest, AFileWhereTheFolderShouldBeStopsTheInstall) {
    const std::string base = m_base + "chosen\\";
    CreateDirectoryW(Wide(base).c_str(), nullptr);
    const HANDLE file = CreateFileW(Wide(base + "Corvane").c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "mine", 4, &written, nullptr);
    CloseHandle(file);

    CInstaller installer;
    installer.SetBaseFolder(base);
    EXPECT_FALSE(installer.Install());
    EXPECT_EQ(installer.m_strError, "Cannot create\n" + base + "Corvane\\");
    EXPECT_EQ(GetFileAttributesW(Wide(base + "Corvane").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(Wide(base + "Corvane").c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeLow, 4u);
    EXPECT_EQ(RegText("UninstallString"), L"<missing>");
}

} // namespace
