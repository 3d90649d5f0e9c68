#include "platform/FileOps.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace fs = std::filesystem;

int CreateOneFolder(const std::string& path) {
    if (path.empty())
        return ENOENT;
    return ::mkdir(path.c_str(), 0755) == 0 ? 0 : errno;
}

bool DeleteOneFile(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (error || status.type() == fs::file_type::directory ||
        status.type() == fs::file_type::not_found)
        return false;
    return fs::remove(path, error) && !error;
}

bool RemoveEmptyFolder(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (error || status.type() != fs::file_type::directory)
        return false;
    // rmdir itself refuses a folder that still holds anything.
    return ::rmdir(path.c_str()) == 0;
}

bool WriteWholeFile(const std::string& path, const std::string& data, unsigned mode) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0)
        return false;
    bool ok = ::fchmod(fd, mode) == 0; // an existing file keeps its old bits otherwise
    size_t written = 0;
    while (ok && written < data.size()) {
        const ssize_t n = ::write(fd, data.data() + written, data.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            ok = false;
        else
            written += static_cast<size_t>(n);
    }
    if (::close(fd) != 0)
        ok = false;
    return ok;
}

bool CreateFolderPath(const std::string& path, unsigned mode) {
    if (path.empty())
        return false;
    std::string partial;
    size_t from = 0;
    while (from <= path.size()) {
        const size_t slash = path.find('/', from);
        const size_t end = slash == std::string::npos ? path.size() : slash;
        partial = path.substr(0, end);
        if (!partial.empty() && ::mkdir(partial.c_str(), mode) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            break;
        from = slash + 1;
    }
    std::error_code error;
    return fs::is_directory(path, error);
}
