#include "uilogic/PaneText.h"

#include <algorithm>

namespace {

// The text with a CR written before every LF, in the pane's code units or in bytes.
template <class Text> Text WithCrBeforeLf(const Text& text) {
    using Char = typename Text::value_type;
    Text result;
    result.reserve(text.size() + static_cast<size_t>(std::count(text.begin(), text.end(), '\n')));
    for (const Char c : text) {
        if (c == Char('\n'))
            result += Char('\r');
        result += c;
    }
    return result;
}

} // namespace

std::string ProgramTextFromPaneLines(const std::string& paneLines) {
    return WithCrBeforeLf(paneLines);
}

std::string PaneLinesFromProgramText(const std::string& text) {
    std::string lines;
    lines.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            lines += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            lines += text[i];
        }
    }
    return lines;
}

std::u16string WithCrLf(const std::u16string& paneText) {
    return WithCrBeforeLf(paneText);
}

std::u16string WithoutCrLf(const std::u16string& crlfText) {
    std::u16string text;
    text.reserve(crlfText.size());
    for (size_t i = 0; i < crlfText.size(); ++i) {
        if (crlfText[i] == u'\r' && i + 1 < crlfText.size() && crlfText[i + 1] == u'\n')
            continue; // the LF that follows stands for the whole break
        text += crlfText[i];
    }
    return text;
}

int CrLfPosFromCursor(const std::u16string& paneText, int cursorPos) {
    const int pos = std::clamp(cursorPos, 0, static_cast<int>(paneText.size()));
    return pos + static_cast<int>(std::count(paneText.begin(), paneText.begin() + pos, u'\n'));
}

int CursorPosFromCrLf(const std::u16string& paneText, int crlfPos) {
    int crlf = 0;
    const int size = static_cast<int>(paneText.size());
    for (int i = 0; i < size; ++i) {
        const int width = paneText[static_cast<size_t>(i)] == u'\n' ? 2 : 1;
        if (crlfPos < crlf + width)
            return i; // at this character, or between its CR and LF
        crlf += width;
    }
    return size;
}
