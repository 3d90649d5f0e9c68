#include "platform/WholeFile.h"
#include "platform/StreamMode.h"
#include "platform/SystemError.h"
#include "platform/win32/WideText.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <atomic>
#include <cerrno>

namespace {

// Owns one file handle.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (Valid())
            CloseHandle(m_handle);
    }
    HANDLE Get() const { return m_handle; }
    bool Valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    // Closes now so that a failing close can be seen.
    bool Close() {
        const HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) != 0;
    }

private:
    HANDLE m_handle;
};

// The errno value that tells the same story as a Win32 error, so messages match POSIX ones.
int ErrnoFromWin32(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    default:
        return EIO;
    }
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool WriteAll(HANDLE file, const char* data, size_t size) {
    while (size > 0) {
        const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

// Creates a new, empty temporary file beside target, with the given attributes. Its name
// carries the process id and a counter, so concurrent savers do not meet.
HANDLE CreateTemporaryBeside(const std::wstring& target, DWORD attributes, std::wstring& temp) {
    static std::atomic<unsigned> counter{0};
    const size_t slash = target.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"" : target.substr(0, slash + 1);
    const std::wstring name = slash == std::wstring::npos ? target : target.substr(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = folder + L"." + name + L".tmp" + std::to_wstring(GetCurrentProcessId()) + L"." +
               std::to_wstring(counter++);
        const HANDLE file =
            CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

// An existing file may be replaced only when it is a plain file that the user may write: the
// read-only attribute binds an administrator too, and an open for writing checks the rest.
bool MayReplace(const std::wstring& target, DWORD attributes) {
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0)
        return false;
    FileHandle probe(CreateFileW(target.c_str(), GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return probe.Valid();
}

} // namespace

void UseBinaryMode(std::FILE* stream) {
    _setmode(_fileno(stream), _O_BINARY);
}

bool ReadWholeFile(const std::string& path, std::string& contents) {
    std::wstring wide;
    if (!Utf8ToWide(path, wide) || wide.empty()) {
        errno = ENOENT;
        return false;
    }
    wide = ApiPath(wide);
    FileHandle file(CreateFileW(wide.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        const DWORD error = GetLastError();
        errno = IsFolder(wide) ? EISDIR : ErrnoFromWin32(error);
        return false;
    }
    std::string data;
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) {
            errno = ErrnoFromWin32(GetLastError());
            return false;
        }
        if (got == 0)
            break;
        data.append(buffer, got);
    }
    contents.swap(data);
    return true;
}

// On Windows a pipe lives under \\.\pipe\, never at the path of a file beside the program.
bool ReadWholeRegularFile(const std::string& path, std::string& contents) {
    return ReadWholeFile(path, contents);
}

bool WriteWholeFile(const std::string& path, const std::string& data, unsigned /*mode*/) {
    std::wstring wide;
    if (!Utf8ToWide(path, wide) || wide.empty())
        return false;
    wide = ApiPath(wide);
    FileHandle file(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return false;
    const bool ok = WriteAll(file.Get(), data.data(), data.size());
    return file.Close() && ok;
}

bool WriteFileAtomically(const std::string& path, const std::string& contents) {
    std::wstring target;
    if (!Utf8ToWide(path, target) || target.empty())
        return false;
    target = ApiPath(target); // the temporary name beside it takes the same form
    // The new file takes over the old one's hidden, system and archive attributes.
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    const DWORD old = GetFileAttributesW(target.c_str());
    if (old != INVALID_FILE_ATTRIBUTES) {
        if (!MayReplace(target, old))
            return false;
        const DWORD kept = old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
        if (kept != 0)
            attributes = kept;
    }
    std::wstring temp;
    FileHandle file(CreateTemporaryBeside(target, attributes, temp));
    if (!file.Valid())
        return false;
    bool ok = WriteAll(file.Get(), contents.data(), contents.size());
    ok = ok && FlushFileBuffers(file.Get()) != 0;
    ok = file.Close() && ok;
    ok = ok && MoveFileExW(temp.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok)
        DeleteFileW(temp.c_str());
    return ok;
}

bool ReplaceFileWith(const std::string& path, const std::string& data, unsigned /*mode*/,
                     std::string* reason) {
    std::wstring temp;
    const auto fail = [&](DWORD error) {
        if (!temp.empty())
            DeleteFileW(temp.c_str());
        if (reason != nullptr)
            *reason = SystemErrorText(static_cast<int>(error));
        return false;
    };
    std::wstring target;
    if (!Utf8ToWide(path, target) || target.empty())
        return fail(ERROR_INVALID_NAME);
    target = ApiPath(target);
    // A new file, taking nothing from an old one; it gets the folder's inherited permissions.
    FileHandle file(CreateTemporaryBeside(target, FILE_ATTRIBUTE_NORMAL, temp));
    if (!file.Valid()) {
        const DWORD error = GetLastError();
        temp.clear(); // nothing was made
        return fail(error);
    }
    if (!WriteAll(file.Get(), data.data(), data.size()) || !FlushFileBuffers(file.Get())) {
        // A file opened without sharing cannot be deleted while open: a full disk would keep
        // the partial copy beside the program.
        const DWORD error = GetLastError();
        file.Close();
        return fail(error);
    }
    if (!file.Close())
        return fail(GetLastError());
    // The old file stays whole until the move, and the move fails as a whole (a running
    // program's file, a read-only file, a folder of that name).
    if (!MoveFileExW(temp.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return fail(GetLastError());
    return true;
}
