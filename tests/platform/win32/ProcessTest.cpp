// Starting programs on Windows: command lines that survive, no inherited handles, and the
// uninstaller copy's wait for the process that started it.
#include "platform/Process.h"
#include "platform/ModulePath.h"
#include "platform/WholeFile.h"
#include "platform/win32/ArgumentQuote.h"
#include "tests/platform/win32/Win32TestSupport.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <vector>

namespace {

const std::string kProbe = CORVANE_PROCESS_PROBE;

// Waits up to ten seconds for a file to appear and returns its text.
std::string AwaitFile(const std::string& path) {
    std::string text;
    for (int i = 0; i < 200; ++i) {
        if (ReadWholeFile(path, text) && !text.empty())
            return text;
        Sleep(50);
    }
    return "<no report>";
}

// The probe copied into folder, so that it runs from a path with odd characters.
std::string ProbeIn(const std::string& folder) {
    const std::string probe = folder + "\\probe " + kOddName + ".exe";
    CopyFileW(Wide(GetModuleFolder() + kProbe).c_str(), Wide(probe).c_str(), FALSE);
    return probe;
}

std::vector<std::string> SplitBack(const std::string& commandLine) {
    int count = 0;
    LPWSTR* split = CommandLineToArgvW(Wide(commandLine).c_str(), &count);
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i)
        arguments.push_back(WideToUtf8(split[i]));
    LocalFree(split);
    return arguments;
}

TEST(ArgumentQuote, EveryArgumentComesBackWhole) {
    const std::vector<std::string> arguments = {
        "plain",           "",          "two words", "C:\\a folder\\", "C:\\plain\\", "say \"hi\"",
        "back\\\\\"slash", "tab\there", kOddName,    "trailing\\\\"};
    const std::string line = BuildCommandLine("C:\\Program Files\\x.exe", arguments);
    std::vector<std::string> expected = {"C:\\Program Files\\x.exe"};
    expected.insert(expected.end(), arguments.begin(), arguments.end());
    EXPECT_EQ(SplitBack(line), expected) << line;
    EXPECT_EQ(QuoteArgument("plain"), "plain");
    EXPECT_EQ(QuoteArgument("C:\\a b\\"), "\"C:\\a b\\\\\"");
}

TEST(SpawnDetached, ArgumentsArriveWholeAndNoHandleIsInherited) {
    TempFolder temp;
    const std::string folder = WinPath(temp) + "\\" + kOddName;
    ASSERT_TRUE(MakeFolder(folder));
    const std::string probe = ProbeIn(folder);
    const std::string report = folder + "\\report.txt";

    // An inheritable handle: a child that inherited handles would find it open.
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const HANDLE event = CreateEventW(&inheritable, TRUE, FALSE, nullptr);
    ASSERT_NE(event, nullptr);
    const std::string handleText = std::to_string(reinterpret_cast<std::uintptr_t>(event));

    std::string reason;
    ASSERT_TRUE(SpawnDetached(
        probe, {report, "args", handleText, "--uninstall", folder + "\\", "with \"quotes\"", ""},
        &reason))
        << reason;
    EXPECT_EQ(AwaitFile(report), "--uninstall\n" + folder + "\\\nwith \"quotes\"\n\nfolder " +
                                     folder + "\nnot inherited\n");
    CloseHandle(event);
}

TEST(SpawnDetached, AProgramThatCannotStartSaysWhy) {
    TempFolder temp;
    std::string reason;
    EXPECT_FALSE(SpawnDetached(WinPath(temp) + "\\missing.exe", {}, &reason));
    EXPECT_FALSE(reason.empty());
    // A file that is no program.
    const std::string text = WinPath(temp) + "\\not a program.exe";
    WriteFileBytes(text, "plain text, no program");
    reason.clear();
    EXPECT_FALSE(SpawnDetached(text, {}, &reason));
    EXPECT_FALSE(reason.empty());
}

TEST(WaitForStarterToEnd, TheCopyGoesOnOnlyOnceItsStarterHasEnded) {
    TempFolder temp;
    const std::string folder = WinPath(temp);
    const std::string probe = ProbeIn(folder);
    const std::string report = folder + "\\waiter.txt";
    // The probe starts a second probe and ends 1.5 s later; the second waits for the first.
    ASSERT_TRUE(SpawnDetached(probe, {report, "starter"}));
    const std::string text = AwaitFile(report);
    EXPECT_EQ(text.substr(0, 14), "after starter ") << text;
}

TEST(WaitForStarterToEnd, ReturnsAtOnceWithoutAStarterToWaitFor) {
    // This test program was not started by a program of ours; nothing holds it up for long.
    const DWORD start = GetTickCount();
    WaitForStarterToEnd(3000);
    EXPECT_LT(GetTickCount() - start, 2500u);
}

} // namespace
