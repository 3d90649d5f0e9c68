// The uninstall entry in HKEY_CURRENT_USER, read back with RegGetValueW itself.
#include "platform/UninstallRegistration.h"
#include "platform/win32/UserRegistry.h"
#include "tests/platform/win32/Win32TestSupport.h"

#include <gtest/gtest.h>

namespace {

const std::string kKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Corvane Test "
                         "\xc3\xa9t\xc3\xa9";

std::wstring RegText(const std::string& key, const std::string& name) {
    wchar_t buffer[1024] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, Wide(key).c_str(), Wide(name).c_str(), RRF_RT_REG_SZ,
                     nullptr, buffer, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return buffer;
}

DWORD RegNumber(const std::string& key, const std::string& name) {
    DWORD value = 0xDEAD;
    DWORD size = sizeof value;
    RegGetValueW(HKEY_CURRENT_USER, Wide(key).c_str(), Wide(name).c_str(), RRF_RT_REG_DWORD,
                 nullptr, &value, &size);
    return value;
}

bool KeyExists(const std::string& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Wide(key).c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

UninstallRegistration Entry(const std::string& program) {
    UninstallRegistration entry;
    entry.strKeyPath = kKey;
    entry.strProgram = program;
    entry.strIconPath = program;
    entry.strInstallLocation = program.substr(0, program.rfind('\\') + 1);
    using Kind = RegistrationValue::Kind;
    entry.values = {
        {"DisplayName", Kind::Text, "Corvane Calculator", 0},
        {"UninstallString", Kind::Command, "\"%s\" --uninstall", 0},
        {"NoModify", Kind::Number, "", 1},
        {"Comments", Kind::Text, "Uninstall Corvane Calculator", 0},
    };
    return entry;
}

class UninstallRegistrationTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteUserRegistryKey(kKey); }
    void TearDown() override { DeleteUserRegistryKey(kKey); }
};

TEST_F(UninstallRegistrationTest, WritesTheValuesReadsTheProgramAndRemovesTheKey) {
    const std::string program =
        "C:\\users\\Zo\xc3\xab Dvo\xc5\x99\xc3\xa1k\\" + kOddName + "\\Corvane\\corvane.exe";
    std::string reason;
    ASSERT_TRUE(WriteUninstallRegistration(Entry(program), &reason)) << reason;

    EXPECT_EQ(RegText(kKey, "DisplayName"), L"Corvane Calculator");
    EXPECT_EQ(RegText(kKey, "UninstallString"), L"\"" + Wide(program) + L"\" --uninstall");
    EXPECT_EQ(RegNumber(kKey, "NoModify"), 1u);
    EXPECT_EQ(RegText(kKey, "Comments"), L"Uninstall Corvane Calculator");
    EXPECT_EQ(RegText(kKey, "DisplayIcon"), Wide(program));
    EXPECT_EQ(RegText(kKey, "InstallLocation"),
              Wide("C:\\users\\Zo\xc3\xab Dvo\xc5\x99\xc3\xa1k\\" + kOddName + "\\Corvane\\"));

    // The command names the program, spaces and all.
    EXPECT_EQ(RegisteredUninstallProgram(kKey, "UninstallString"), program);
    EXPECT_EQ(RegisteredUninstallProgram(kKey, "NoSuchValue"), "");

    ASSERT_TRUE(RemoveUninstallRegistration(kKey));
    EXPECT_FALSE(KeyExists(kKey));
    EXPECT_EQ(RegisteredUninstallProgram(kKey, "UninstallString"), "");
    // Removing what is gone is no failure; the parent key stays.
    EXPECT_TRUE(RemoveUninstallRegistration(kKey));
    EXPECT_TRUE(KeyExists("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"));
}

TEST_F(UninstallRegistrationTest, AWrittenEntryReplacesTheOldOneWhole) {
    std::string error;
    ASSERT_TRUE(WriteUserRegistryKey(kKey, {RegistryValue::Text("Stale", "old")}, error));
    ASSERT_TRUE(WriteUninstallRegistration(Entry("C:\\a\\corvane.exe")));
    EXPECT_EQ(RegText(kKey, "Stale"), L"<missing>");
    EXPECT_EQ(RegisteredUninstallProgram(kKey, "UninstallString"), "C:\\a\\corvane.exe");
}

TEST_F(UninstallRegistrationTest, AValueThatCannotBeWrittenLeavesNoHalfEntry) {
    // A name that is not UTF-8 cannot reach the registry: the whole entry fails and goes.
    UninstallRegistration entry = Entry("C:\\a\\corvane.exe");
    entry.values.push_back({"Bad\xff", RegistrationValue::Kind::Text, "x", 0});
    std::string reason;
    EXPECT_FALSE(WriteUninstallRegistration(entry, &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_FALSE(KeyExists(kKey));
}

TEST(UserRegistry, TextsAndNumbersRoundTrip) {
    const std::string key = kKey + "\\Round trip";
    std::string error;
    ASSERT_TRUE(WriteUserRegistryKey(key,
                                     {RegistryValue::Text("Text", kOddName),
                                      RegistryValue::Text("Empty", ""),
                                      RegistryValue::Number("Number", 0xFFFFFFFFu)},
                                     error))
        << error;
    std::string text = "unchanged";
    std::uint32_t number = 0;
    EXPECT_TRUE(ReadUserRegistryText(key, "Text", text));
    EXPECT_EQ(text, kOddName);
    EXPECT_TRUE(ReadUserRegistryText(key, "Empty", text));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(ReadUserRegistryNumber(key, "Number", number));
    EXPECT_EQ(number, 0xFFFFFFFFu);
    // A value of the other type does not read as this one.
    EXPECT_FALSE(ReadUserRegistryNumber(key, "Text", number));
    EXPECT_FALSE(ReadUserRegistryText(key, "Number", text));
    EXPECT_TRUE(UserRegistryKeyExists(key));
    // Deleting the parent takes the subkey with it.
    EXPECT_TRUE(DeleteUserRegistryKey(kKey));
    EXPECT_FALSE(UserRegistryKeyExists(key));
    EXPECT_FALSE(DeleteUserRegistryKey(""));
}

} // namespace
