#pragma once

#include <cstddef>
#include <string>

// How a text is cut into lines, written once for the worksheet, the settings file and the
// command line: a line ends at LF; a CR right before the LF belongs to the line break; a CR on
// its own stays in the line (the worksheet then rejects it like any character that begins no
// token). Two rules differ on purpose and stay with their owners: the edit panes also break a
// line at a lone CR, since an edit control holds no lone CR (uilogic/PaneText.h), and the
// settings file's expression block drops every CR (settings/SettingsFormat.cpp).

// Calls visit(start, length) for each line of text in order; a text of n LFs has n + 1 lines,
// the last one after the final LF (empty when the text ends with a LF).
template <class Visit> void ForEachLine(const std::string& text, Visit&& visit) {
    size_t start = 0;
    for (;;) {
        const size_t lineFeed = text.find('\n', start);
        if (lineFeed == std::string::npos) {
            visit(start, text.size() - start);
            return;
        }
        const bool crBefore = lineFeed > start && text[lineFeed - 1] == '\r';
        visit(start, lineFeed - start - (crBefore ? 1 : 0));
        start = lineFeed + 1;
    }
}

// The same lines, each break (LF or CR LF) written as lineBreak.
std::string WithLineBreaks(const std::string& text, const char* lineBreak);
