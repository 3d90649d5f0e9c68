#include "platform/StreamMode.h"
#include "platform/WholeFile.h"

bool ReadWholeStream(std::FILE* stream, std::string& contents) {
    UseBinaryMode(stream);
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, stream)) > 0)
        contents.append(buffer, n);
    return std::ferror(stream) == 0;
}
