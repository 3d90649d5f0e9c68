// Test program: saves settings to the file beside itself, reads them back and prints the
// file's path. settings_beside_program.sh copies it into folders whose names are not ASCII.
#include "settings/SettingsFile.h"

#include <cstdio>

int main() {
    CalcSettings saved;
    saved.m_decimals = 7;
    saved.m_expressions = "1+1\r\nZ\xc3\xbcrich=2";
    const std::string path = GetSettingsPath();
    std::printf("%s\n", path.c_str());
    if (!SaveSettings(path, saved)) {
        std::fprintf(stderr, "cannot save %s\n", path.c_str());
        return 1;
    }
    CalcSettings loaded;
    if (!LoadSettings(path, loaded) || loaded.m_decimals != 7 ||
        loaded.m_expressions != saved.m_expressions) {
        std::fprintf(stderr, "cannot read back %s\n", path.c_str());
        return 1;
    }
    return 0;
}
