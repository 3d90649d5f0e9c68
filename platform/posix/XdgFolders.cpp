#include "platform/XdgFolders.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// An environment variable that holds an absolute path; relative values are ignored as the
// base-directory convention asks.
std::string AbsoluteEnvPath(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || value[0] != '/')
        return {};
    return value;
}

std::string WithSlash(std::string path) {
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path;
}

std::string ConfigHomeFolder(const std::string& home) {
    std::string config = AbsoluteEnvPath("XDG_CONFIG_HOME");
    if (config.empty() && !home.empty())
        config = home + ".config";
    return WithSlash(config);
}

} // namespace

bool GetDataHomeFolder(std::string& folder) {
    folder = AbsoluteEnvPath("XDG_DATA_HOME");
    if (folder.empty()) {
        const std::string home = AbsoluteEnvPath("HOME");
        if (!home.empty())
            folder = WithSlash(home) + ".local/share";
    }
    folder = WithSlash(folder);
    return !folder.empty();
}

std::string ParseDesktopDirEntry(const std::string& fileText, const std::string& home) {
    static const std::string key = "XDG_DESKTOP_DIR=";
    std::istringstream lines(fileText);
    std::string line;
    std::string found;
    while (std::getline(lines, line)) {
        const size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, key.size(), key) != 0)
            continue;
        std::string value = line.substr(start + key.size());
        while (!value.empty() &&
               (value.back() == ' ' || value.back() == '\t' || value.back() == '\r'))
            value.pop_back();
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        // The file is shell syntax: a backslash escapes the next character.
        std::string plain;
        for (size_t i = 0; i < value.size(); ++i) {
            if (value[i] == '\\' && i + 1 < value.size())
                ++i;
            plain += value[i];
        }
        static const std::string homeVar = "$HOME";
        if (plain.compare(0, homeVar.size(), homeVar) == 0) {
            if (home.empty())
                continue;
            std::string rest = plain.substr(homeVar.size());
            plain = home;
            while (!plain.empty() && plain.back() == '/')
                plain.pop_back();
            plain += rest;
        }
        if (!plain.empty() && plain[0] == '/')
            found = plain; // the last assignment wins, as when the shell reads the file
    }
    return found;
}

bool GetDesktopFolder(std::string& folder) {
    folder.clear();
    const std::string home = WithSlash(AbsoluteEnvPath("HOME"));
    const std::string config = ConfigHomeFolder(home);
    if (!config.empty()) {
        std::ifstream file(config + "user-dirs.dirs", std::ios::binary);
        if (file) {
            std::ostringstream text;
            text << file.rdbuf();
            folder = WithSlash(ParseDesktopDirEntry(text.str(), home));
        }
    }
    if (folder.empty() && !home.empty())
        folder = home + "Desktop/";
    return !folder.empty();
}

bool GetApplicationsFolder(std::string& folder) {
    if (!GetDataHomeFolder(folder))
        return false;
    folder += "applications/";
    return true;
}
