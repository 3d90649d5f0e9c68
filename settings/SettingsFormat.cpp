#include "settings/SettingsFormat.h"

#include "settings/NumberText.h"
#include "worksheet/TextLines.h"

#include <cstdint>
#include <cstring>

namespace {

bool StartsWith(const std::string& line, const char* key) {
    return line.compare(0, std::strlen(key), key) == 0;
}

// One line outside the expression block. Returns true when it opens a block.
bool ApplyKeyLine(const std::string& line, CalcSettings& settings) {
    if (StartsWith(line, "expr:"))
        return true;
    if (StartsWith(line, "pos:")) {
        auto state = static_cast<int32_t>(settings.m_windowState);
        int32_t* const fields[] = {&settings.m_windowRect.left, &settings.m_windowRect.top,
                                   &settings.m_windowRect.right, &settings.m_windowRect.bottom,
                                   &state};
        size_t pos = 4;
        for (int32_t* field : fields) {
            if (!ReadNumber(line, pos, *field))
                break; // the fields after a missing number keep their values
        }
        settings.m_windowState = static_cast<WindowState>(state); // any number, as written
        return false;
    }
    if (StartsWith(line, "pin:")) {
        settings.m_keepOnTop = NumberAt(line, 4);
        return false;
    }
    // For the keys below the character right after the colon is skipped unread.
    struct SkippedKey {
        const char* key;
        int32_t CalcSettings::*field;
    };
    static const SkippedKey kKeys[] = {
        {"keyp:", &CalcSettings::m_showButtons},         {"resd:", &CalcSettings::m_decimals},
        {"res0:", &CalcSettings::m_deleteTrailingZeros}, {"resg:", &CalcSettings::m_groupDigits},
        {"save:", &CalcSettings::m_saveExpressions},
    };
    if (StartsWith(line, "esc:")) {
        settings.m_escAction = static_cast<EscAction>(NumberAt(line, 5)); // any number, as written
        return false;
    }
    for (const SkippedKey& key : kKeys) {
        if (StartsWith(line, key.key)) {
            settings.*key.field = NumberAt(line, std::strlen(key.key) + 1);
            return false;
        }
    }
    return false; // unknown keys and stray block lines do no harm
}

} // namespace

void ParseSettingsText(const std::string& text, CalcSettings& settings) {
    std::string expressions;
    // Counts block lines rather than testing expressions for emptiness, so that empty pane
    // lines at the start of the block are kept.
    size_t blockLines = 0;
    bool inBlock = false;

    ForEachLine(text, [&](size_t start, size_t length) {
        if (length == 0)
            return; // empty file lines neither end a block nor add to it
        const std::string line = text.substr(start, length);
        if (inBlock) {
            if (line[0] == ' ') {
                if (blockLines > 0)
                    expressions += "\r\n";
                expressions.append(line, 1, std::string::npos);
                ++blockLines;
                return;
            }
            settings.m_expressions = expressions;
            inBlock = false;
        }
        if (ApplyKeyLine(line, settings)) {
            expressions.clear();
            blockLines = 0;
            inBlock = true;
        }
    });
    // Whether or not a block was seen: without one the expressions end up empty.
    settings.m_expressions = expressions;
}

std::string FormatSettingsText(const CalcSettings& settings) {
    const WindowRect& r = settings.m_windowRect;
    std::string text;
    text += "pos: " + std::to_string(r.left) + ' ' + std::to_string(r.top) + ' ' +
            std::to_string(r.right) + ' ' + std::to_string(r.bottom) + ' ' +
            std::to_string(static_cast<int32_t>(settings.m_windowState)) + "\r\n";
    text += "pin: " + std::to_string(settings.m_keepOnTop) + "\r\n";
    text += "keyp: " + std::to_string(settings.m_showButtons) + "\r\n";
    text += "resd: " + std::to_string(settings.m_decimals) + "\r\n";
    text += "res0: " + std::to_string(settings.m_deleteTrailingZeros) + "\r\n";
    text += "resg: " + std::to_string(settings.m_groupDigits) + "\r\n";
    text += "save: " + std::to_string(settings.m_saveExpressions) + "\r\n";
    text += "esc: " + std::to_string(static_cast<int32_t>(settings.m_escAction)) + "\r\n";
    text += "expr: \r\n";
    if (settings.m_saveExpressions != 0) {
        // Every pane line becomes one file line that begins with a space; unlike the other
        // readers of lines (worksheet/TextLines.h), every CR is dropped, a lone one too.
        text += ' ';
        for (char c : settings.m_expressions) {
            if (c == '\r')
                continue;
            if (c == '\n')
                text += "\r\n ";
            else
                text += c;
        }
    }
    text += "\r\n";
    return text;
}
