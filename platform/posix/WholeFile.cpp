#include "platform/WholeFile.h"
#include "platform/StreamMode.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <memory>

namespace {

// Owns one file descriptor.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }
    // Closes now so that a failing close (delayed write errors) can be seen.
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// The file that path names after following symbolic links, so that replacing a linked
// settings file updates its target instead of replacing the link.
std::string ResolveTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                         &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

// Creates a new, empty temporary file beside target. Its name starts with a dot and carries
// the process id and a counter, so concurrent savers do not meet.
int CreateTemporaryBeside(const std::string& target, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folder + "." + name + ".tmp" + std::to_string(::getpid()) + "." +
                   std::to_string(counter++);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// True when the existing file may not be written by this user. Root passes every access
// check, so a file without any write permission bit counts as read-only for root too.
bool IsReadOnlyFile(const std::string& path, mode_t mode) {
    if ((mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return true;
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0;
}

// Reads fd to its end into contents (unchanged on failure).
bool ReadAll(int fd, std::string& contents) {
    std::string data;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false; // e.g. a folder: it opens but cannot be read
        }
        if (got == 0)
            break;
        data.append(buffer, static_cast<size_t>(got));
    }
    contents.swap(data);
    return true;
}

} // namespace

void UseBinaryMode(std::FILE*) {} // POSIX streams have no text mode

bool ReadWholeFile(const std::string& path, std::string& contents) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    return file.Valid() && ReadAll(file.Get(), contents);
}

bool ReadWholeRegularFile(const std::string& path, std::string& contents) {
    // Without O_NONBLOCK, opening a pipe waits for a writer; a regular file reads as ever.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (!file.Valid() || ::fstat(file.Get(), &info) != 0)
        return false;
    if (!S_ISREG(info.st_mode)) {
        errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    return ReadAll(file.Get(), contents);
}

bool WriteFileAtomically(const std::string& path, const std::string& contents) {
    const std::string target = ResolveTarget(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    // Never replace a folder, a device or a file the user may not write.
    if (exists && (!S_ISREG(old.st_mode) || IsReadOnlyFile(target, old.st_mode)))
        return false;
    std::string tempPath;
    FileDescriptor file(CreateTemporaryBeside(target, tempPath));
    if (!file.Valid())
        return false;

    if (exists)
        ::fchmod(file.Get(), old.st_mode & 07777); // best effort
    bool ok = WriteAll(file.Get(), contents.data(), contents.size());
    ok = ok && ::fsync(file.Get()) == 0;
    ok = file.Close() && ok;
    ok = ok && ::rename(tempPath.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(tempPath.c_str());
        return false;
    }
    // Make the rename itself durable; a failure here no longer endangers either version.
    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Valid())
        ::fsync(dir.Get());
    return true;
}

bool WriteWholeFile(const std::string& path, const std::string& data, unsigned mode) {
    FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode));
    if (!file.Valid())
        return false;
    // An existing file keeps its old bits otherwise.
    bool ok = ::fchmod(file.Get(), static_cast<mode_t>(mode)) == 0;
    ok = ok && WriteAll(file.Get(), data.data(), data.size());
    return file.Close() && ok;
}

bool ReplaceFileWith(const std::string& path, const std::string& data, unsigned mode,
                     std::string* reason) {
    const auto fail = [&](int error, const std::string& tempPath) {
        if (!tempPath.empty())
            ::unlink(tempPath.c_str());
        if (reason != nullptr)
            *reason = std::strerror(error);
        return false;
    };
    std::string tempPath;
    FileDescriptor file(CreateTemporaryBeside(path, tempPath));
    if (!file.Valid())
        return fail(errno, "");
    if (::fchmod(file.Get(), static_cast<mode_t>(mode)) != 0 ||
        !WriteAll(file.Get(), data.data(), data.size()) || ::fsync(file.Get()) != 0)
        return fail(errno, tempPath);
    if (!file.Close())
        return fail(errno, tempPath);
    if (::rename(tempPath.c_str(), path.c_str()) != 0)
        return fail(errno, tempPath);
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Valid())
        ::fsync(dir.Get());
    return true;
}
