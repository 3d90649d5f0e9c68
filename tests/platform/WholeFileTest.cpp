#include "platform/WholeFile.h"

#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

const char kOldContents[] = "pos: 1 2 3 4 0\r\nexpr: \r\n old\r\n";

size_t CountEntries(const std::string& folder) {
    size_t count = 0;
    for (const auto& entry : fs::directory_iterator(fs::u8path(folder))) {
        (void)entry;
        ++count;
    }
    return count;
}

void MakeReadOnly(const std::string& path) {
    fs::permissions(fs::u8path(path),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

// Bytes that a text mode would change (CR LF, a lone CR, Ctrl+Z, NUL) come back unchanged.
TEST(WholeFile, ReadsAndWritesEveryByteUnchanged) {
    TempFolder folder;
    std::string bytes = "a\r\nb\rc\nd\x1a"
                        "e";
    bytes += '\0';
    bytes += "\xff\xfe";
    const std::string path = folder.File("bytes");
    ASSERT_TRUE(WriteWholeFile(path, bytes, 0644));
    EXPECT_EQ(ReadFileBytes(path), bytes);
    std::string read = "old";
    ASSERT_TRUE(ReadWholeFile(path, read));
    EXPECT_EQ(read, bytes);

    // An existing file is emptied first; an empty file reads as "".
    ASSERT_TRUE(WriteWholeFile(path, "", 0644));
    ASSERT_TRUE(ReadWholeFile(path, read));
    EXPECT_EQ(read, "");
}

TEST(WholeFile, ReadFailuresSayWhy) {
    TempFolder folder;
    std::string contents = "kept";
    errno = 0;
    EXPECT_FALSE(ReadWholeFile(folder.File("absent"), contents));
    EXPECT_EQ(errno, ENOENT);
    errno = 0;
    EXPECT_FALSE(ReadWholeFile(folder.Path(), contents));
    EXPECT_EQ(errno, EISDIR);
    EXPECT_FALSE(ReadWholeFile(folder.File("absent") + "/file", contents));
    EXPECT_FALSE(ReadWholeFile("", contents));
    EXPECT_EQ(contents, "kept");
    EXPECT_FALSE(WriteWholeFile(folder.File("absent") + "/file", "x", 0644));
}

TEST(AtomicSave, ReplacesTheFileAndLeavesNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder.File("corvane.cfg");
    WriteFileBytes(path, kOldContents);
    ASSERT_TRUE(WriteFileAtomically(path, "new\r\n"));
    EXPECT_EQ(ReadFileBytes(path), "new\r\n");
    EXPECT_EQ(CountEntries(folder.Path()), 1u);
    // A file that did not exist yet is created.
    ASSERT_TRUE(WriteFileAtomically(folder.File("fresh.cfg"), "x"));
    EXPECT_EQ(ReadFileBytes(folder.File("fresh.cfg")), "x");
    EXPECT_EQ(CountEntries(folder.Path()), 2u);
}

// A settings file the user may not write is left as it was. Root (and a Windows administrator)
// could write it anyway, so the file's own write bits or read-only attribute decide.
TEST(AtomicSave, ReadOnlyFileIsLeftAsItWas) {
    TempFolder folder;
    const std::string path = folder.File("corvane.cfg");
    WriteFileBytes(path, kOldContents);
    MakeReadOnly(path);
    EXPECT_FALSE(WriteFileAtomically(path, "new"));
    EXPECT_EQ(ReadFileBytes(path), kOldContents);
    EXPECT_EQ(CountEntries(folder.Path()), 1u);
    // Writable again, it is saved as usual.
    fs::permissions(fs::u8path(path), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(WriteFileAtomically(path, "new"));
    EXPECT_EQ(ReadFileBytes(path), "new");
}

// Places where the file cannot be written; the old file, where there is one, stays whole.
TEST(AtomicSave, FailsCleanlyWhereNothingCanBeWritten) {
    TempFolder folder;
    const std::string regular = folder.File("plain");
    WriteFileBytes(regular, kOldContents);
    const std::string subfolder = folder.File("sub");
    fs::create_directory(fs::u8path(subfolder));

    const std::string paths[] = {
        regular + "/corvane.cfg",                // the "folder" is a regular file
        folder.File("missing") + "/corvane.cfg", // the folder does not exist
        subfolder,                               // the target is a folder
        "",                                      // no name at all
    };
    for (const std::string& path : paths) {
        EXPECT_FALSE(WriteFileAtomically(path, "new")) << path;
    }
    EXPECT_EQ(ReadFileBytes(regular), kOldContents);
    EXPECT_TRUE(fs::is_directory(fs::u8path(subfolder)));
    EXPECT_EQ(CountEntries(folder.Path()), 2u);
}

#ifdef _WIN32
const char kNoPosixModes[] = "Windows has no permission bits; the read-only attribute is tested";

TEST(AtomicSave, KeepsThePermissionBitsOfTheOldFile) {
    GTEST_SKIP() << kNoPosixModes;
}
TEST(AtomicSave, WritesThroughASymbolicLink) {
    GTEST_SKIP() << "symbolic links need a privilege on Windows";
}
TEST(AtomicSave, ReadOnlyFolderKeepsTheOldFile) {
    GTEST_SKIP() << "the read-only attribute of a Windows folder does not stop writing in it";
}
TEST(AtomicSave, FailedWriteKeepsTheOldFileWhole) {
    GTEST_SKIP() << "no file size limit to make a write fail half-way on Windows";
}
#else
TEST(AtomicSave, KeepsThePermissionBitsOfTheOldFile) {
    TempFolder folder;
    const std::string path = folder.File("corvane.cfg");
    WriteFileBytes(path, kOldContents);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileAtomically(path, "new"));
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
    ASSERT_TRUE(WriteFileAtomically(link, "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(target), "new");
    // A read-only target behind the link is left as it was, too.
    ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
    EXPECT_FALSE(WriteFileAtomically(link, "newer"));
    EXPECT_EQ(ReadFileBytes(target), "new");
}

TEST(AtomicSave, ReadOnlyFolderKeepsTheOldFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permission bits do not bind root; covered by the other failure cases";
    TempFolder folder;
    const std::string path = folder.File("corvane.cfg");
    WriteFileBytes(path, kOldContents);
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0555), 0);
    EXPECT_FALSE(WriteFileAtomically(path, "new"));
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
    const bool savedOk = WriteFileAtomically(path, std::string(100000, '9'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(savedOk);
    EXPECT_EQ(ReadFileBytes(path), kOldContents);
    EXPECT_EQ(CountEntries(folder.Path()), 1u);
}

TEST(WholeFile, WriteWholeFileSetsTheMode) {
    TempFolder folder;
    const std::string path = folder.File("f");
    WriteFileBytes(path, "a much longer old text");
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    ASSERT_TRUE(WriteWholeFile(path, "new", 0755));
    EXPECT_EQ(ReadFileBytes(path), "new");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0755u);
}
#endif

} // namespace
