// Two users of one machine uninstall, neither with TMPDIR nor XDG_RUNTIME_DIR set: each
// uninstaller copy goes to a folder of that user's own under /tmp, so neither blocks the other.
// Needs root: both users are made for the test and removed again.
#include "SetupTestSupport.h"

#include "setuplogic/Installer.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

namespace {

uid_t OwnerOf(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_uid : static_cast<uid_t>(-1);
}

// A user made with useradd for one test; userdel removes it again, and everything it left in
// /tmp goes with it.
class TestUser {
public:
    explicit TestUser(const std::string& suffix)
        : m_name("corvane-t" + std::to_string(::getpid()) + suffix) {
        if (RunProgram("/usr/sbin/useradd",
                       {"--no-create-home", "--home-dir", "/nonexistent", "--shell",
                        "/usr/sbin/nologin", "--user-group", m_name}) != 0)
            return;
        m_made = true;
        if (const passwd* entry = ::getpwnam(m_name.c_str())) {
            m_uid = entry->pw_uid;
            m_gid = entry->pw_gid;
        }
    }
    ~TestUser() {
        if (!m_made)
            return;
        // userdel refuses while a process of the user still runs (the uninstaller copy ends
        // just after its last message).
        for (int attempt = 0; attempt < 100; ++attempt) {
            if (RunProgram("/usr/sbin/userdel", {m_name}) == 0)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        std::error_code error;
        if (m_uid != 0) {
            for (const fs::directory_entry& item : fs::directory_iterator("/tmp", error))
                if (OwnerOf(item.path().string()) == m_uid)
                    fs::remove_all(item.path(), error);
        }
    }
    TestUser(const TestUser&) = delete;
    TestUser& operator=(const TestUser&) = delete;

    bool Usable() const { return m_made && m_uid != 0; }
    uid_t Uid() const { return m_uid; }
    gid_t Gid() const { return m_gid; }

private:
    std::string m_name;
    bool m_made = false;
    uid_t m_uid = 0;
    gid_t m_gid = 0;
};

TEST(TwoUsers, EachUninstallsThroughAFolderOfTheirOwn) {
    if (::geteuid() != 0 || !Exists("/usr/sbin/useradd") || !Exists("/usr/bin/setpriv"))
        GTEST_SKIP() << "needs root, useradd and setpriv to run as other users";
    // The test run's own temporary folder is closed to other users; this scratch folder lies
    // directly in /tmp instead, open to both users, who reach their own homes below it.
    ScratchHome outer;
    outer.SetEnv("TMPDIR", "/tmp");
    ScratchHome scratch;
    ::chmod(scratch.Root().c_str(), 0755);
    // Two users made for the test, so that no folder of a real user is touched.
    TestUser first("a");
    TestUser second("b");
    ASSERT_TRUE(first.Usable() && second.Usable());

    struct Person {
        std::string home;
        uid_t uid;
        gid_t gid;
    };
    const Person people[] = {{scratch.Root() + "first/", first.Uid(), first.Gid()},
                             {scratch.Root() + "second/", second.Uid(), second.Gid()}};
    for (const Person& person : people) {
        fs::create_directories(person.home + "Desktop");
        scratch.SetEnv("HOME", person.home.c_str());
        CInstaller installer;
        installer.m_bDesktopIcon = 1;
        ASSERT_TRUE(installer.Install(DeliveredProgram())) << installer.m_strError;
        for (const auto& item : fs::recursive_directory_iterator(person.home))
            ASSERT_EQ(::lchown(item.path().c_str(), person.uid, person.gid), 0);
        ASSERT_EQ(::lchown(person.home.c_str(), person.uid, person.gid), 0);
    }

    scratch.SetEnv("TMPDIR", nullptr);
    scratch.SetEnv("XDG_RUNTIME_DIR", nullptr);
    scratch.SetEnv("XDG_CACHE_HOME", nullptr);
    scratch.SetEnv("XDG_STATE_HOME", nullptr);
    scratch.SetEnv("QT_QPA_PLATFORM", "offscreen");
    scratch.SetEnv("CORVANE_TEST_ANSWER", "yes");
    for (const Person& person : people) {
        SCOPED_TRACE(person.uid);
        const std::string log = person.home + "log";
        const std::string program = person.home + ".local/share/Corvane/corvane";
        scratch.SetEnv("HOME", person.home.c_str());
        scratch.SetEnv("CORVANE_TEST_LOG", log.c_str());
        // The output goes to a file: the uninstaller copy outlives the program that this test
        // waits for, and Qt warns on it (no XDG_RUNTIME_DIR), into a pipe that would be closed.
        ASSERT_EQ(RunProgram("/bin/sh", {"-c", "out=$1; shift; exec \"$@\" > \"$out\" 2>&1", "sh",
                                         person.home + "output", "/usr/bin/setpriv",
                                         "--reuid=" + std::to_string(person.uid),
                                         "--regid=" + std::to_string(person.gid), "--clear-groups",
                                         "--", program, "--uninstall"}),
                  0);
        ASSERT_TRUE(WaitForText(log, "open ")) << ReadFile(log);
        EXPECT_EQ(ReadFile(log).find("unistall failed"), std::string::npos) << ReadFile(log);
        EXPECT_FALSE(Exists(program));
        EXPECT_FALSE(Exists(person.home + "Desktop/Corvane Calculator.desktop"));
        const std::string folder = "/tmp/corvane-" + std::to_string(person.uid);
        EXPECT_EQ(OwnerOf(folder), person.uid);
        // The copy lies in a fresh folder of its own inside the user's temporary folder.
        std::vector<std::string> copies;
        for (const auto& item : fs::directory_iterator(folder))
            copies.push_back(item.path().string());
        ASSERT_EQ(copies.size(), 1u);
        EXPECT_EQ(OwnerOf(copies[0]), person.uid);
        EXPECT_EQ(OwnerOf(copies[0] + "/corvane-uninstall"), person.uid);
    }
}

} // namespace
