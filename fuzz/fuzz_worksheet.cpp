// Feeds arbitrary bytes to a worksheet pass, then as a settings file to LoadSettings, then
// evaluates the loaded expressions with the loaded options and saves and reloads the settings.
#include "settings/CalcSettings.h"
#include "settings/SettingsFile.h"
#include "worksheet/Worksheet.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

size_t Count(const std::string& text, char c) {
    size_t n = 0;
    for (char ch : text) {
        n += ch == c;
    }
    return n;
}

// A pass gives exactly one CR LF-terminated line per input line, and no other CR or LF.
void CheckPass(const std::string& text, const FormatOptions& options = FormatOptions()) {
    Worksheet worksheet;
    worksheet.SetFormatOptions(options);
    std::string results;
    worksheet.EvaluateText(text, results);
    const size_t lines = Count(text, '\n') + 1;
    if (Count(results, '\n') != lines || Count(results, '\r') != lines) {
        __builtin_trap();
    }
    for (size_t i = 0; i < results.size(); ++i) {
        if (results[i] == '\n' && (i == 0 || results[i - 1] != '\r')) {
            __builtin_trap();
        }
    }
}

std::string TempFolder() {
    const char* dir = std::getenv("TMPDIR");
    std::string folder = dir && *dir ? dir : "/tmp";
    if (folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

// A fresh, unique file holding the bytes; "" when it cannot be made.
std::string WriteTempFile(const uint8_t* data, size_t size) {
    std::string path = TempFolder() + "corvane-fuzz-XXXXXX";
    const int fd = mkstemp(path.data());
    if (fd < 0) {
        return "";
    }
    size_t done = 0;
    while (done < size) {
        const ssize_t n = write(fd, data + done, size - done);
        if (n <= 0) {
            break;
        }
        done += static_cast<size_t>(n);
    }
    close(fd);
    return path;
}

bool SameNumbers(const CalcSettings& a, const CalcSettings& b) {
    return a.m_windowRect.left == b.m_windowRect.left && a.m_windowRect.top == b.m_windowRect.top &&
           a.m_windowRect.right == b.m_windowRect.right &&
           a.m_windowRect.bottom == b.m_windowRect.bottom && a.m_windowState == b.m_windowState &&
           a.m_keepOnTop == b.m_keepOnTop && a.m_showButtons == b.m_showButtons &&
           a.m_decimals == b.m_decimals && a.m_deleteTrailingZeros == b.m_deleteTrailingZeros &&
           a.m_groupDigits == b.m_groupDigits && a.m_saveExpressions == b.m_saveExpressions &&
           a.m_escAction == b.m_escAction;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckPass(text);

    const std::string path = WriteTempFile(data, size);
    if (path.empty()) {
        return 0;
    }
    CalcSettings settings;
    const bool loaded = LoadSettings(path, settings);
    unlink(path.c_str());
    if (!loaded) {
        __builtin_trap(); // the file exists and is readable
    }

    // The loaded options shape the formatting of the loaded expressions.
    CheckPass(settings.m_expressions, GetFormatOptions(settings));

    // Whatever was loaded saves and loads back with the same numbers.
    const std::string copy = WriteTempFile(nullptr, 0);
    if (copy.empty()) {
        return 0;
    }
    CalcSettings reloaded;
    const bool saved = SaveSettings(copy, settings);
    const bool reread = saved && LoadSettings(copy, reloaded);
    unlink(copy.c_str());
    if (saved && (!reread || !SameNumbers(settings, reloaded))) {
        __builtin_trap();
    }
    return 0;
}
