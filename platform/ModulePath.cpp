#include "platform/ModulePath.h"

std::string GetModuleFolder() {
    const std::string path = GetModulePath();
    size_t end = path.size();
    while (end > 0 && !IsPathSeparator(path[end - 1]))
        --end;
    return path.substr(0, end); // "" without a folder part: the current folder is meant
}

void AddBackslash(std::string& path) {
    if (!path.empty() && !IsPathSeparator(path.back()))
        path += PathSeparator();
}
