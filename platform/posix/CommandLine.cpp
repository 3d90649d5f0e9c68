#include "platform/CommandLine.h"
#include "platform/WholeFile.h"

std::vector<std::string> GetUtf8Arguments(int argc, char* argv[]) {
    return std::vector<std::string>(argv, argv + argc);
}

std::vector<std::string> GetUtf8Arguments() {
    // The kernel keeps the arguments one after another, each ending in a NUL.
    std::string all;
    std::vector<std::string> arguments;
    if (!ReadWholeFile("/proc/self/cmdline", all))
        return arguments;
    size_t start = 0;
    while (start < all.size()) {
        const size_t end = all.find('\0', start);
        const size_t stop = end == std::string::npos ? all.size() : end;
        arguments.push_back(all.substr(start, stop - start));
        start = stop + 1;
    }
    return arguments;
}
