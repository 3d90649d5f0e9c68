#include "qt/setup/ProgramFileCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <new>
#include <vector>

const volatile std::uint32_t g_shiftedSetupMarker = 0x1111AAD6;

namespace {

constexpr long kPlainChunk = 102400;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::uint32_t ReadWordLE(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Opens the destination like fopen "wb", but never through a symbolic link, and makes it a
// program that can be started. Changing the mode fails on a file of another user, so such a
// file is never filled with a program of ours.
FilePtr OpenDestination(const std::string& path) {
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0755);
    if (fd < 0)
        return nullptr;
    if (::fchmod(fd, 0755) != 0) {
        ::close(fd);
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "wb");
    if (file == nullptr)
        ::close(fd);
    return FilePtr(file);
}

} // namespace

std::size_t ReplaceSetupMarkers(unsigned char* buffer, std::size_t size) {
    const std::uint32_t shifted = g_shiftedSetupMarker; // one volatile read
    std::size_t count = 0;
    for (std::size_t i = 0; i + 4 <= size; ++i) {
        if (ReadWordLE(buffer + i) + 10u == shifted) {
            buffer[i] = 1;
            buffer[i + 1] = 0;
            buffer[i + 2] = 0;
            buffer[i + 3] = 0;
            ++count;
        }
    }
    return count;
}

bool CopyProgramFile(const std::string& source, const std::string& destination,
                     bool replaceMarker) {
    // Both are opened before either result is looked at.
    FilePtr in(std::fopen(source.c_str(), "rb"));
    FilePtr out = OpenDestination(destination);
    if (!in || !out)
        return false;

    if (std::fseek(in.get(), 0, SEEK_END) != 0)
        return false;
    const long size = std::ftell(in.get());
    if (size < 0)
        return false;
    std::rewind(in.get());

    // When replacing, the whole file is one chunk so that the marker is searched in one buffer.
    const long chunk = replaceMarker ? size : kPlainChunk;
    std::vector<unsigned char> buffer;
    try {
        buffer.resize(static_cast<std::size_t>(chunk));
    } catch (const std::bad_alloc&) {
        return false;
    }

    long remaining = size;
    while (remaining > 0) {
        const std::size_t wanted = static_cast<std::size_t>(remaining < chunk ? remaining : chunk);
        const std::size_t got = std::fread(buffer.data(), 1, wanted, in.get());
        if (got == 0)
            return false;
        if (replaceMarker && ReplaceSetupMarkers(buffer.data(), got) != 1)
            return false;
        // A short write (a full disk) fails the copy instead of passing for success.
        if (std::fwrite(buffer.data(), 1, got, out.get()) != got)
            return false;
        remaining -= static_cast<long>(got);
    }
    return std::fclose(out.release()) == 0;
}
