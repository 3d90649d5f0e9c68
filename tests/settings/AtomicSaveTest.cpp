#include "settings/AtomicFile.h"
#include "settings/CalcSettings.h"

#include "tests/settings/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const char kOldContents[] = "pos: 1 2 3 4 0\r\nexpr: \r\n old\r\n";

size_t CountEntries(const std::string& folder) {
    size_t count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        (void)entry;
        ++count;
    }
    return count;
}

CalcSettings SettingsWithExpressions(size_t length) {
    CalcSettings s;
    s.m_expressions.assign(length, '9');
    return s;
}

TEST(AtomicSave, ReplacesTheFileAndLeavesNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder.File("corvane.cfg");
    WriteFileBytes(path, kOldContents);
    ASSERT_TRUE(SaveSettings(path, SettingsWithExpressions(3)));
    EXPECT_NE(ReadFileBytes(path), kOldContents);
    EXPECT_EQ(CountEntries(folder.Path()), 1u);
}

TEST(AtomicSave, KeepsThePermissionBitsOfTheOldFile) {
    TempFolder folder;
    const std::string path = folder.File("corvane.cfg");
    WriteFileBytes(path, kOldContents);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(SaveSettings(path, CalcSettings()));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(AtomicSave, WritesThroughASymbolicLink) {
    TempFolder folder;
    const std::string target = folder.File("real.cfg");
    const std::string link = folder.File("corvane.cfg");
    WriteFileBytes(target, kOldContents);
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    ASSERT_TRUE(SaveSettings(link, CalcSettings()));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_NE(ReadFileBytes(target), kOldContents);
}

// Places where the file cannot be written; the old file, where there is one, stays whole.
TEST(AtomicSave, FailsCleanlyWhereNothingCanBeWritten) {
    TempFolder folder;
    const std::string regular = folder.File("plain");
    WriteFileBytes(regular, kOldContents);
    const std::string subfolder = folder.File("sub");
    fs::create_directory(subfolder);

    const std::string paths[] = {
        regular + "/corvane.cfg",                // the "folder" is a regular file
        folder.File("missing") + "/corvane.cfg", // the folder does not exist
        subfolder,                               // the target is a folder
    };
    for (const std::string& path : paths) {
        EXPECT_FALSE(SaveSettings(path, CalcSettings())) << path;
    }
    EXPECT_EQ(ReadFileBytes(regular), kOldContents);
    EXPECT_TRUE(fs::is_directory(subfolder));
    EXPECT_EQ(CountEntries(folder.Path()), 2u);
}

TEST(AtomicSave, ReadOnlyFolderKeepsTheOldFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permission bits do not bind root; covered by the other failure cases";
    TempFolder folder;
    const std::string path = folder.File("corvane.cfg");
    WriteFileBytes(path, kOldContents);
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0555), 0);
    EXPECT_FALSE(SaveSettings(path, CalcSettings()));
    ::chmod(folder.Path().c_str(), 0755);
    EXPECT_EQ(ReadFileBytes(path), kOldContents);
    EXPECT_EQ(CountEntries(folder.Path()), 1u);
}

// A write that fails half-way (here: the file size limit, as a full disk would) must not
// touch the old file nor leave the half-written temporary file behind.
TEST(AtomicSave, FailedWriteKeepsTheOldFileWhole) {
    TempFolder folder;
    const std::string path = folder.File("corvane.cfg");
    WriteFileBytes(path, kOldContents);

    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool savedOk = SaveSettings(path, SettingsWithExpressions(100000));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(savedOk);
    EXPECT_EQ(ReadFileBytes(path), kOldContents);
    EXPECT_EQ(CountEntries(folder.Path()), 1u);
}

} // namespace
