// The program copy on Windows: the marker replaced, and on failure the old file whole, no
// temporary file left, and the system's reason.
#include "platform/ProgramCopy.h"
#include "platform/ModulePath.h"
#include "platform/Process.h"
#include "tests/platform/win32/Win32TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace {

// The marker's bytes, built at run time so that this file holds no second marker.
std::string MarkerBytes() {
    const std::uint32_t marker = g_shiftedSetupMarker - 10u;
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<char>((marker >> (8 * i)) & 0xFF);
    return bytes;
}

std::set<std::wstring> Names(const std::string& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(Wide(folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            names.insert(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

TEST(ProgramCopy, TheMarkerIsReplacedInAFolderWithAnOddName) {
    TempFolder temp;
    const std::string folder = WinPath(temp) + "\\" + kOddName;
    ASSERT_TRUE(MakeFolder(folder));
    const std::string source = folder + "\\setup.exe";
    const std::string destination = folder + "\\corvane.exe";
    WriteFileBytes(source, "head" + MarkerBytes() + "tail");
    WriteFileBytes(destination, "old program");
    std::string reason;
    ASSERT_TRUE(CopyProgramFile(source, destination, true, &reason)) << reason;
    EXPECT_EQ(ReadFileBytes(destination), std::string("head\x01\0\0\0tail", 12));
    EXPECT_EQ(Names(folder), (std::set<std::wstring>{L"setup.exe", L"corvane.exe"}));
}

TEST(ProgramCopy, ARunningProgramIsNotReplacedAndSaysWhy) {
    TempFolder temp;
    const std::string folder = WinPath(temp) + "\\" + kOddName;
    ASSERT_TRUE(MakeFolder(folder));
    // The installed program is running: its file is in use.
    const std::string installed = folder + "\\corvane.exe";
    ASSERT_TRUE(CopyFileW(Wide(GetModuleFolder() + CORVANE_PROCESS_PROBE).c_str(),
                          Wide(installed).c_str(), FALSE));
    const std::string before = ReadFileBytes(installed);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION running{};
    std::wstring line = L"\"" + Wide(installed) + L"\" x sleep 20000";
    ASSERT_TRUE(CreateProcessW(Wide(installed).c_str(), line.data(), nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, &startup, &running));
    Sleep(500);

    const std::string source = folder + "\\setup.exe";
    WriteFileBytes(source, "new" + MarkerBytes());
    std::string reason;
    const bool copied = CopyProgramFile(source, installed, true, &reason);
    TerminateProcess(running.hProcess, 0);
    WaitForSingleObject(running.hProcess, 5000);
    CloseHandle(running.hThread);
    CloseHandle(running.hProcess);

    EXPECT_FALSE(copied);
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(ReadFileBytes(installed), before);
    EXPECT_EQ(Names(folder), (std::set<std::wstring>{L"setup.exe", L"corvane.exe"}));
}

TEST(ProgramCopy, AFileHeldOpenWithoutSharingStaysWhole) {
    TempFolder temp;
    const std::string folder = WinPath(temp);
    const std::string destination = folder + "\\corvane.exe";
    WriteFileBytes(destination, "old program");
    WriteFileBytes(folder + "\\setup.exe", "new" + MarkerBytes());
    const HANDLE held = CreateFileW(Wide(destination).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::string reason;
    EXPECT_FALSE(CopyProgramFile(folder + "\\setup.exe", destination, true, &reason));
    CloseHandle(held);
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(ReadFileBytes(destination), "old program");
    EXPECT_EQ(Names(folder), (std::set<std::wstring>{L"setup.exe", L"corvane.exe"}));
}

TEST(ProgramCopy, FailuresBeforeWritingLeaveTheOldFile) {
    TempFolder temp;
    const std::string folder = WinPath(temp);
    const std::string destination = folder + "\\corvane.exe";
    WriteFileBytes(destination, "old program");
    std::string reason;
    // No source.
    EXPECT_FALSE(CopyProgramFile(folder + "\\missing.exe", destination, true, &reason));
    EXPECT_FALSE(reason.empty());
    // A source with the marker twice.
    WriteFileBytes(folder + "\\twice.exe", MarkerBytes() + MarkerBytes());
    EXPECT_FALSE(CopyProgramFile(folder + "\\twice.exe", destination, true, &reason));
    EXPECT_EQ(reason, kMarkerNotFoundOnce);
    // A destination folder that is gone.
    WriteFileBytes(folder + "\\good.exe", MarkerBytes());
    reason.clear();
    EXPECT_FALSE(
        CopyProgramFile(folder + "\\good.exe", folder + "\\gone\\corvane.exe", true, &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(ReadFileBytes(destination), "old program");
    EXPECT_EQ(Names(folder), (std::set<std::wstring>{L"corvane.exe", L"twice.exe", L"good.exe"}));
}

// On a full disk the copy fails half-way: the old program stays whole and no partial copy is
// left to take the disk's last space. The disk is a small one that small_disk.sh mounts and
// fills; without it (not root) the test is skipped.
TEST(ProgramCopy, AFullDiskLeavesTheOldFileAndNoPartialCopy) {
    const char* small = std::getenv("CORVANE_SMALL_DISK");
    if (small == nullptr || *small == '\0')
        GTEST_SKIP() << "CORVANE_SMALL_DISK names no small disk";
    const std::string folder = small;
    const std::string destination = folder + "\\corvane.exe";
    WriteFileBytes(destination, "old program");
    std::string reason;
    // The program is larger than the disk.
    EXPECT_FALSE(CopyProgramFile(GetModulePath(), destination, false, &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(ReadFileBytes(destination), "old program");
    EXPECT_EQ(Names(folder), (std::set<std::wstring>{L"corvane.exe"}));
}

} // namespace
