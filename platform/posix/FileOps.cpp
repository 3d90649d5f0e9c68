#include "platform/FileOps.h"

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
    if (error || status.type() == fs::file_type::not_found)
        return false;
    if (status.type() == fs::file_type::directory) {
        errno = EISDIR; // the caller's message gives the reason
        return false;
    }
    if (fs::remove(path, error) && !error)
        return true;
    errno = error.value();
    return false;
}

bool RemoveEmptyFolder(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (error || status.type() != fs::file_type::directory)
        return false;
    // rmdir itself refuses a folder that still holds anything.
    return ::rmdir(path.c_str()) == 0;
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

bool PathExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && fs::symlink_status(path, error).type() != fs::file_type::not_found;
}

bool IsAbsolutePath(const std::string& path) {
    return !path.empty() && path.front() == '/';
}

bool IsSamePath(const std::string& a, const std::string& b) {
    std::error_code error;
    const fs::path first = fs::weakly_canonical(fs::u8path(a), error);
    if (error)
        return false;
    const fs::path second = fs::weakly_canonical(fs::u8path(b), error);
    return !error && first == second;
}
