#include "SetupTestSupport.h"

#include "platform/ProgramCopy.h"

#include <sys/mount.h>
#include <sys/statvfs.h>

#include <QProcess>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

ScratchHome::ScratchHome() {
    std::string pattern = (fs::temp_directory_path() / "corvane-setup-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    m_root = pattern + "/";
    fs::create_directories(Home());
    fs::create_directories(Temp());
    SetEnv("HOME", Home().c_str());
    SetEnv("TMPDIR", Temp().c_str());
    SetEnv("XDG_DATA_HOME", nullptr);
    SetEnv("XDG_CONFIG_HOME", nullptr);
    SetEnv("XDG_CACHE_HOME", (m_root + "cache").c_str());
    SetEnv("XDG_STATE_HOME", (m_root + "state").c_str());
    SetEnv("XDG_RUNTIME_DIR", (m_root + "runtime").c_str());
    SetEnv("CORVANE_TEST_ANSWER", nullptr);
    SetEnv("CORVANE_TEST_LOG", nullptr);
    SetEnv("CORVANE_TEST_REPORT_RUN", nullptr);
}

ScratchHome::~ScratchHome() {
    for (const auto& [name, saved] : m_saved) {
        if (saved.first)
            ::setenv(name.c_str(), saved.second.c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }
    std::error_code error;
    fs::remove_all(m_root, error); // the test's own scratch folder only
}

void ScratchHome::SetEnv(const char* name, const char* value) {
    if (m_saved.find(name) == m_saved.end()) {
        const char* old = std::getenv(name);
        m_saved[name] = {old != nullptr, old != nullptr ? old : ""};
    }
    if (value != nullptr)
        ::setenv(name, value, 1);
    else
        ::unsetenv(name);
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& data) {
    std::ofstream(path, std::ios::binary) << data;
}

bool Exists(const std::string& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

std::vector<std::string> ListTree(const std::string& root) {
    std::vector<std::string> paths;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(root, error);
         it != fs::recursive_directory_iterator(); it.increment(error))
        paths.push_back(fs::relative(it->path(), root).string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::string DeliveredProgram() {
    return CORVANE_DELIVERED_PROGRAM;
}

std::string InstalledBuildProgram() {
    return CORVANE_INSTALLED_BUILD_PROGRAM;
}

std::uint32_t MarkerWord() {
    return g_shiftedSetupMarker - 10u;
}

std::string WordBytes(std::uint32_t word) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<char>((word >> (8 * i)) & 0xFF);
    return bytes;
}

std::size_t CountOccurrences(const std::string& haystack, const std::string& needle) {
    std::size_t count = 0;
    for (size_t at = haystack.find(needle); at != std::string::npos;
         at = haystack.find(needle, at + 1))
        ++count;
    return count;
}

int RunProgram(const std::string& program, const std::vector<std::string>& arguments,
               std::string* output, int timeoutMs) {
    QProcess process;
    QStringList list;
    for (const std::string& a : arguments)
        list << QString::fromStdString(a);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(QString::fromStdString(program), list);
    if (!process.waitForStarted(timeoutMs))
        return -1;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    if (output != nullptr)
        *output = process.readAllStandardOutput().toStdString();
    if (process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

bool WaitForText(const std::string& path, const std::string& needle, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
        if (ReadFile(path).find(needle) != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

SmallDisk::SmallDisk(const std::string& path, const std::string& options) : m_path(path) {
    fs::create_directories(path);
    // "noexec" is a flag of the mount, not an option of tmpfs.
    std::string data = options;
    unsigned long flags = 0;
    const size_t noexec = data.find(",noexec");
    if (noexec != std::string::npos) {
        data.erase(noexec, 7);
        flags |= MS_NOEXEC;
    }
    m_mounted = ::mount("tmpfs", path.c_str(), "tmpfs", flags, data.c_str()) == 0;
}

SmallDisk::~SmallDisk() {
    if (m_mounted)
        ::umount2(m_path.c_str(), MNT_DETACH);
}

void SmallDisk::FillLeaving(std::size_t freeBytes) const {
    struct statvfs info {};
    if (::statvfs(m_path.c_str(), &info) != 0)
        return;
    const std::size_t available = static_cast<std::size_t>(info.f_bavail) * info.f_frsize;
    if (available > freeBytes)
        WriteFile(m_path + "/filler", std::string(available - freeBytes, 'f'));
}
