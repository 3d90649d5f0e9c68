// Folders on Windows: the user's temporary root, fresh private folders under it, the trust
// check of an install folder, and the one-step file operations setup uses.
#include "platform/FileOps.h"
#include "platform/FolderSafety.h"
#include "platform/TempFolder.h"
#include "tests/platform/win32/Win32TestSupport.h"

#include <gtest/gtest.h>

#include <aclapi.h>
#include <sddl.h>

#include <cerrno>
#include <set>

namespace {

// Gives Everyone full control of path, on top of what it has.
bool LetEveryoneWrite(const std::string& path) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(
            L"D:(A;OICI;FA;;;WD)", SDDL_REVISION_1, &descriptor, nullptr))
        return false;
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL dacl = nullptr;
    GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted);
    std::wstring wide = Wide(path);
    const DWORD status = SetNamedSecurityInfoW(
        wide.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, dacl, nullptr);
    LocalFree(descriptor);
    return status == ERROR_SUCCESS;
}

TEST(TempFolder, TheUsersOwnRootAndFreshPrivateFoldersUnderIt) {
    std::string root;
    ASSERT_TRUE(GetUserTempFolder(root));
    EXPECT_EQ(root.back(), '\\');
    if (std::getenv("CORVANE_ACCENTED_USER") != nullptr) {
        EXPECT_NE(root.find("Zo\xc3\xab Dvo\xc5\x99\xc3\xa1k"), std::string::npos) << root;
    }

    TempFolder temp;
    const std::string base = WinPath(temp) + "\\" + kOddName;
    ASSERT_TRUE(MakeFolder(base));
    std::string first, second, reason;
    ASSERT_TRUE(MakePrivateFolderUnder(base, "corvane-uninstall-", first, &reason)) << reason;
    ASSERT_TRUE(MakePrivateFolderUnder(base, "corvane-uninstall-", second, &reason)) << reason;
    EXPECT_NE(first, second);
    EXPECT_EQ(first.substr(0, base.size() + 19), base + "\\corvane-uninstall-");
    EXPECT_EQ(first.size(), base.size() + 1 + 18 + 6 + 1);
    EXPECT_EQ(first.back(), '\\');
    EXPECT_TRUE(IsOwnPrivateFolder(first));
    EXPECT_EQ(CheckFolderTrust(first, false), FolderTrust::Trusted);

    // A folder others may write into is not private.
    ASSERT_TRUE(LetEveryoneWrite(second));
    EXPECT_FALSE(IsOwnPrivateFolder(second));

    std::string missing;
    reason.clear();
    EXPECT_FALSE(MakePrivateFolderUnder(base + "\\missing", "x-", missing, &reason));
    EXPECT_EQ(missing, "");
    EXPECT_FALSE(reason.empty());
}

TEST(TempFolder, EarlierCopiesGoButNothingElse) {
    TempFolder temp;
    const std::string base = WinPath(temp);
    std::string old1, old2, kept, crowded;
    ASSERT_TRUE(MakePrivateFolderUnder(base, "corvane-uninstall-", old1));
    ASSERT_TRUE(MakePrivateFolderUnder(base, "corvane-uninstall-", old2));
    ASSERT_TRUE(MakePrivateFolderUnder(base, "corvane-uninstall-", kept));
    ASSERT_TRUE(MakePrivateFolderUnder(base, "corvane-uninstall-", crowded));
    for (const std::string& folder : {old1, old2, kept, crowded})
        WriteFileBytes(folder + "corvane-uninstall.exe", "copy");
    WriteFileBytes(crowded + "another file", "not ours to remove");
    ASSERT_TRUE(MakeFolder(base + "\\corvane-uninstall-other"));
    ASSERT_TRUE(MakeFolder(base + "\\corvane-uninstall-abcdef")); // not private

    RemoveEarlierPrivateFolders(base, "corvane-uninstall-", "corvane-uninstall.exe", kept);
    EXPECT_FALSE(FileOrFolderExists(old1));
    EXPECT_FALSE(FileOrFolderExists(old2));
    EXPECT_TRUE(FileOrFolderExists(kept + "corvane-uninstall.exe"));
    EXPECT_FALSE(FileOrFolderExists(crowded + "corvane-uninstall.exe"));
    EXPECT_TRUE(FileOrFolderExists(crowded + "another file"));
    EXPECT_TRUE(FileOrFolderExists(base + "\\corvane-uninstall-other"));
    EXPECT_TRUE(FileOrFolderExists(base + "\\corvane-uninstall-abcdef"));
}

TEST(FolderTrust, OwnFoldersAreTrustedOthersWritableOnesAreNot) {
    TempFolder temp;
    const std::string base = WinPath(temp) + "\\" + kOddName;
    ASSERT_TRUE(MakeFolder(base));
    EXPECT_EQ(CheckFolderTrust(base, false), FolderTrust::Trusted);
    EXPECT_EQ(CheckFolderTrust(base + "\\", false), FolderTrust::Trusted);
    EXPECT_EQ(CheckFolderTrust(base + "\\missing\\", false), FolderTrust::Missing);
    WriteFileBytes(base + "\\file", "x");
    EXPECT_EQ(CheckFolderTrust(base + "\\file", false), FolderTrust::NotAFolder);

    const std::string shared = base + "\\Corvane";
    ASSERT_TRUE(MakeFolder(shared));
    ASSERT_TRUE(LetEveryoneWrite(shared));
    EXPECT_EQ(CheckFolderTrust(shared + "\\", false), FolderTrust::WritableByOthers);
}

TEST(FileOps, OneStepOperations) {
    TempFolder temp;
    const std::string base = WinPath(temp) + "\\" + kOddName;
    EXPECT_EQ(CreateOneFolder(base), 0);
    EXPECT_EQ(CreateOneFolder(base), EEXIST);
    EXPECT_EQ(CreateOneFolder(base + "\\no\\parents"), ENOENT);
    EXPECT_EQ(CreateOneFolder(""), ENOENT);

    const std::string deep = base + "\\a\\b c\\\xc3\xa9\\";
    EXPECT_TRUE(CreateFolderPath(deep, 0700));
    EXPECT_TRUE(FileOrFolderExists(deep));
    EXPECT_TRUE(CreateFolderPath(deep, 0700)); // already there

    WriteFileBytes(deep + "file", "x");
    EXPECT_FALSE(DeleteOneFile(base + "\\a"));      // never a folder
    EXPECT_FALSE(RemoveEmptyFolder(deep));          // not empty
    EXPECT_FALSE(RemoveEmptyFolder(deep + "file")); // not a folder
    EXPECT_TRUE(DeleteOneFile(deep + "file"));
    EXPECT_FALSE(DeleteOneFile(deep + "file"));
    EXPECT_TRUE(RemoveEmptyFolder(deep));
    EXPECT_FALSE(FileOrFolderExists(deep));
}

TEST(FileOps, PathsCompareByWhatTheyName) {
    TempFolder temp;
    const std::string base = WinPath(temp) + "\\" + kOddName;
    ASSERT_TRUE(MakeFolder(base));
    WriteFileBytes(base + "\\Corvane.exe", "x");
    WriteFileBytes(base + "\\other.exe", "y");

    EXPECT_TRUE(PathExists(base + "\\Corvane.exe"));
    EXPECT_TRUE(PathExists(base));
    EXPECT_FALSE(PathExists(base + "\\missing.exe"));
    EXPECT_FALSE(PathExists(""));

    // One file under other spellings: case, '/', "..", a trailing separator on a folder.
    const std::string program = base + "\\Corvane.exe";
    EXPECT_TRUE(IsSamePath(program, program));
    EXPECT_TRUE(IsSamePath(program, base + "\\CORVANE.EXE"));
    EXPECT_TRUE(IsSamePath(program, base + "/Corvane.exe"));
    EXPECT_TRUE(IsSamePath(program, base + "\\sub\\..\\Corvane.exe"));
    EXPECT_TRUE(IsSamePath(base, base + "\\"));
    EXPECT_FALSE(IsSamePath(program, base + "\\other.exe"));
    EXPECT_FALSE(IsSamePath(program, base));
    // A missing path is never an existing file; two missing ones compare as full paths.
    EXPECT_FALSE(IsSamePath(program, base + "\\gone\\Corvane.exe"));
    EXPECT_TRUE(IsSamePath(base + "\\gone\\A.exe", base + "\\GONE\\a.exe"));
    EXPECT_FALSE(IsSamePath(base + "\\gone\\A.exe", base + "\\gone\\B.exe"));
    EXPECT_FALSE(IsSamePath("", ""));

    EXPECT_TRUE(IsAbsolutePath("C:\\Users\\x"));
    EXPECT_TRUE(IsAbsolutePath("c:/Users"));
    EXPECT_TRUE(IsAbsolutePath("\\\\server\\share\\x"));
    EXPECT_FALSE(IsAbsolutePath("C:relative"));
    EXPECT_FALSE(IsAbsolutePath("relative\\x"));
    EXPECT_FALSE(IsAbsolutePath("\\rooted-on-the-current-drive"));
    EXPECT_FALSE(IsAbsolutePath(""));
}

} // namespace
