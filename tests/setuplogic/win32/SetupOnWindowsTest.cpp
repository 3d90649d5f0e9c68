// The setup core with the Windows services, in-process under Wine: an install into a scratch
// folder whose name is not ASCII, read back from the registry and the shell links, then the
// removal stage, and the failure paths.
#include "platform/ProgramCopy.h"
#include "platform/win32/UserRegistry.h"
#include "platform/win32/WideText.h"
#include "settings/TextTable.h"
#include "setuplogic/Installer.h"
#include "setuplogic/SetupPrompt.h"
#include "tests/TempFolder.h"
#include "tests/platform/win32/Win32TestSupport.h"

#include <windows.h>

#include <aclapi.h>
#include <objbase.h>
#include <sddl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

std::string Text(TextId id) {
    return GetText(id);
}

std::wstring RegText(const std::string& name) {
    return UserRegistryText(Text(TextId::UninstallKeyPath), name);
}

DWORD RegNumber(const std::string& name) {
    return UserRegistryNumber(Text(TextId::UninstallKeyPath), name);
}

std::string DesktopLink() {
    return KnownFolderPath(FOLDERID_Desktop) + "Corvane Calculator.lnk";
}

std::string ProgramsGroup() {
    return KnownFolderPath(FOLDERID_Programs) + "Corvane Calculator";
}

std::string ProgramsLink() {
    return ProgramsGroup() + "\\Corvane Calculator.lnk";
}

// A program file that carries the setup marker once (built at run time, so that this test
// program holds no second marker).
std::string SetupPackageBytes() {
    const std::uint32_t marker = g_shiftedSetupMarker - 10u;
    std::string bytes = "MZ program head ";
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>((marker >> (8 * i)) & 0xFF);
    return bytes + " tail";
}

// Answers every question with the given answer and keeps what it was told.
class RecordingPrompt : public SetupPrompt {
public:
    PromptAnswer ShowMessage(const std::string& text, PromptButtons buttons) override {
        m_messages.push_back(text);
        return buttons == PromptButtons::Ok ? PromptAnswer::Ok : m_answer;
    }
    bool BrowseForFolder(const std::string&, std::string&) override { return false; }
    void OpenAddress(const std::string& url) override { m_addresses.push_back(url); }

    PromptAnswer m_answer = PromptAnswer::Yes;
    std::vector<std::string> m_messages;
    std::vector<std::string> m_addresses;
};

class SetupOnWindows : public ::testing::Test {
protected:
    void SetUp() override { RemoveLeftovers(); }
    void TearDown() override { RemoveLeftovers(); }

    static void RemoveLeftovers() {
        DeleteUserRegistryKey(Text(TextId::UninstallKeyPath));
        DeleteFileW(Wide(DesktopLink()).c_str());
        DeleteFileW(Wide(ProgramsLink()).c_str());
        RemoveDirectoryW(Wide(ProgramsGroup()).c_str());
    }

    // The base folder: the scratch folder + a folder with an odd name, with a backslash.
    std::string Base() {
        std::string base = m_temp.Path();
        for (char& c : base) {
            if (c == '/')
                c = '\\';
        }
        base += "\\" + kOddName + "\\";
        CreateDirectoryW(Wide(base).c_str(), nullptr);
        return base;
    }

    std::string Package() {
        const std::string package = m_temp.Path() + "\\setup package.exe";
        WriteFileBytes(package, SetupPackageBytes());
        return package;
    }

    TempFolder m_temp;
};

TEST_F(SetupOnWindows, InstallsReadsBackAndUninstallsWithoutTrace) {
    CInstaller installer;
    installer.SetBaseFolder(Base());
    installer.m_bDesktopIcon = 1;
    const std::string folder = installer.m_strFolder;
    const std::string program = folder + "corvane.exe";
    EXPECT_EQ(installer.InstalledProgramPath(), program);
    ASSERT_TRUE(installer.Install(Package())) << installer.m_strError;

    // The program, its marker replaced.
    std::string expected = SetupPackageBytes();
    expected.replace(16, 4, std::string("\x01\0\0\0", 4));
    EXPECT_EQ(ReadFileBytes(program), expected);

    // The registration, read with RegGetValueW.
    EXPECT_EQ(RegText("DisplayName"), L"Corvane Calculator");
    EXPECT_EQ(RegText("UninstallString"), L"\"" + Wide(program) + L"\" --uninstall");
    EXPECT_EQ(RegNumber("NoModify"), 1u);
    EXPECT_EQ(RegText("Comments"), L"Uninstall Corvane Calculator");
    EXPECT_EQ(RegText("DisplayIcon"), Wide(program));
    EXPECT_EQ(RegText("InstallLocation"), Wide(folder));
    EXPECT_EQ(CInstaller::InstalledProgramOfEntry(), program);

    // Both links start the installed program in its folder.
    for (const std::string& linkPath : {DesktopLink(), ProgramsLink()}) {
        const LinkReadBack link = ReadLinkWithShell(linkPath);
        ASSERT_TRUE(link.bLoaded) << linkPath;
        EXPECT_EQ(link.itemsPath, Wide(program)) << linkPath;
        EXPECT_EQ(link.arguments, L"") << linkPath;
        EXPECT_EQ(link.workingDir, Wide(folder.substr(0, folder.size() - 1))) << linkPath;
        EXPECT_EQ(link.description, L"Corvane Calculator") << linkPath;
    }

    // The removal stage as the hand-over starts it: the switch and the quoted folder.
    WriteFileBytes(folder + "corvane.cfg", "decimals: 3\r\n");
    CInstaller remover;
    ASSERT_TRUE(remover.Uninstall(1, {"--uninstall", "\"" + folder + "\""})) << remover.m_strError;
    EXPECT_FALSE(FileOrFolderExists(program));
    EXPECT_FALSE(FileOrFolderExists(folder + "corvane.cfg"));
    EXPECT_FALSE(FileOrFolderExists(folder));
    EXPECT_FALSE(FileOrFolderExists(DesktopLink()));
    EXPECT_FALSE(FileOrFolderExists(ProgramsLink()));
    EXPECT_FALSE(FileOrFolderExists(ProgramsGroup()));
    EXPECT_FALSE(UserRegistryKeyExists(Text(TextId::UninstallKeyPath)));
    EXPECT_TRUE(FileOrFolderExists(Base())); // the chosen base folder is not the install's
}

TEST_F(SetupOnWindows, WhatTheUserAddedStaysAndNoOtherLinkGoes) {
    CInstaller installer;
    installer.SetBaseFolder(Base());
    installer.m_bDesktopIcon = 0;
    // The user's own desktop link of that name, to another program.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IShellLinkW, reinterpret_cast<void**>(&link))));
    link->SetPath(L"C:\\windows\\notepad.exe");
    link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    ASSERT_TRUE(SUCCEEDED(file->Save(Wide(DesktopLink()).c_str(), TRUE)));
    file->Release();
    link->Release();
    CoUninitialize();

    ASSERT_TRUE(installer.Install(Package())) << installer.m_strError;
    const std::string folder = installer.m_strFolder;
    EXPECT_EQ(ReadLinkWithShell(DesktopLink()).itemsPath, L"C:\\windows\\notepad.exe");
    WriteFileBytes(folder + "my notes.txt", "mine");

    CInstaller remover;
    ASSERT_TRUE(remover.Uninstall(1, {"--uninstall", folder})) << remover.m_strError;
    EXPECT_FALSE(FileOrFolderExists(folder + "corvane.exe"));
    EXPECT_FALSE(FileOrFolderExists(ProgramsLink()));
    EXPECT_FALSE(UserRegistryKeyExists(Text(TextId::UninstallKeyPath)));
    EXPECT_EQ(ReadFileBytes(folder + "my notes.txt"), "mine");
    EXPECT_TRUE(FileOrFolderExists(DesktopLink()));
    EXPECT_EQ(ReadLinkWithShell(DesktopLink()).itemsPath, L"C:\\windows\\notepad.exe");
}

TEST_F(SetupOnWindows, OnlyTheInstalledProgramUninstalls) {
    CInstaller installer;
    installer.SetBaseFolder(Base());
    ASSERT_TRUE(installer.Install(Package())) << installer.m_strError;

    // This test program is not the installed program: it says so and changes nothing.
    RecordingPrompt prompt;
    int exitCode = 0;
    EXPECT_TRUE(CheckUninstallRequest({"--uninstall"}, prompt, exitCode));
    ASSERT_EQ(prompt.m_messages.size(), 1u);
    EXPECT_NE(prompt.m_messages[0].find("not the installed program"), std::string::npos);
    EXPECT_TRUE(FileOrFolderExists(installer.InstalledProgramPath()));
    EXPECT_TRUE(UserRegistryKeyExists(Text(TextId::UninstallKeyPath)));

    // A removal stage aimed at another folder removes nothing.
    prompt.m_messages.clear();
    EXPECT_TRUE(CheckUninstallRequest({"--uninstall", Base()}, prompt, exitCode));
    EXPECT_NE(exitCode, 0);
    ASSERT_EQ(prompt.m_messages.size(), 1u);
    EXPECT_NE(prompt.m_messages[0].find("Nothing was removed"), std::string::npos);
    EXPECT_TRUE(FileOrFolderExists(installer.InstalledProgramPath()));
    EXPECT_TRUE(FileOrFolderExists(ProgramsLink()));

    // Another first argument is no uninstall run.
    EXPECT_FALSE(CheckUninstallRequest({"--Uninstall"}, prompt, exitCode));
}

TEST_F(SetupOnWindows, AnInstallOverARunningCopyFailsAndLeavesItWhole) {
    CInstaller installer;
    installer.SetBaseFolder(Base());
    ASSERT_TRUE(installer.Install(Package())) << installer.m_strError;
    const std::string program = installer.InstalledProgramPath();
    const std::string before = ReadFileBytes(program);

    // The installed program is held open the way a running program's file is: not shared
    // for writing or deleting.
    const HANDLE running = CreateFileW(Wide(program).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(running, INVALID_HANDLE_VALUE);
    WriteFileBytes(m_temp.Path() + "\\setup package.exe", SetupPackageBytes() + " newer");
    CInstaller again;
    again.SetBaseFolder(Base());
    const bool installed = again.Install(m_temp.Path() + "\\setup package.exe");
    CloseHandle(running);

    EXPECT_FALSE(installed);
    EXPECT_EQ(again.m_strError.rfind("Cannot copy\n", 0), 0u) << again.m_strError;
    // The message says why, in the system's words, after the two paths.
    EXPECT_GT(again.m_strError.size(), again.m_strError.rfind('\n') + 1) << again.m_strError;
    EXPECT_EQ(ReadFileBytes(program), before);
    EXPECT_EQ(CInstaller::InstalledProgramOfEntry(), program);
}

TEST_F(SetupOnWindows, AFolderOthersMayWriteIsRefused) {
    const std::string base = Base();
    const std::string folder = base + "Corvane\\";
    ASSERT_TRUE(CreateDirectoryW(Wide(folder).c_str(), nullptr));
    // Everyone may write into the existing Corvane folder.
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(
        L"D:(A;OICI;FA;;;WD)", SDDL_REVISION_1, &descriptor, nullptr));
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL dacl = nullptr;
    GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted);
    std::wstring wide = Wide(folder);
    ASSERT_EQ(SetNamedSecurityInfoW(wide.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                    nullptr, dacl, nullptr),
              static_cast<DWORD>(ERROR_SUCCESS));
    LocalFree(descriptor);

    CInstaller installer;
    installer.SetBaseFolder(base);
    EXPECT_FALSE(installer.Install(Package()));
    EXPECT_EQ(installer.m_strError.rfind("Cannot install into\n" + folder, 0), 0u)
        << installer.m_strError;
    EXPECT_FALSE(FileOrFolderExists(folder + "corvane.exe"));
    EXPECT_FALSE(UserRegistryKeyExists(Text(TextId::UninstallKeyPath)));
}

TEST_F(SetupOnWindows, AFolderThatCannotBeMadeSaysSo) {
    CInstaller installer;
    installer.SetBaseFolder(Base() + "missing\\deeper\\");
    EXPECT_FALSE(installer.Install(Package()));
    EXPECT_FALSE(installer.m_strError.empty());
    EXPECT_FALSE(UserRegistryKeyExists(Text(TextId::UninstallKeyPath)));
    EXPECT_FALSE(FileOrFolderExists(ProgramsLink()));
}

TEST(SetupOnWindowsDefaults, TheDefaultFolderIsPerUser) {
    CInstaller installer;
    const std::string local = KnownFolderPath(FOLDERID_LocalAppData);
    EXPECT_EQ(installer.m_strFolder, local + "Programs\\Corvane\\");
}

} // namespace
