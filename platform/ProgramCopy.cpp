#include "platform/ProgramCopy.h"

#include "platform/WholeFile.h"

#include <cerrno>
#include <cstring>

const volatile std::uint32_t g_shiftedSetupMarker = 0x1111AAD6;

namespace {

std::uint32_t ReadWordLE(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
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

bool CopyProgramFile(const std::string& source, const std::string& destination, bool replaceMarker,
                     std::string* reason) {
    // The program is a few megabytes: it is read whole, so that the marker is searched in one
    // buffer and nothing is written before the source is known to be good.
    std::string data;
    if (!ReadWholeFile(source, data)) {
        if (reason != nullptr)
            *reason = std::strerror(errno);
        return false;
    }
    if (replaceMarker &&
        ReplaceSetupMarkers(reinterpret_cast<unsigned char*>(data.data()), data.size()) != 1) {
        if (reason != nullptr)
            *reason = kMarkerNotFoundOnce;
        return false;
    }
    return ReplaceFileWith(destination, data, 0755, reason);
}
