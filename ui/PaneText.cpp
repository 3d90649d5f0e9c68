#include "ui/PaneText.h"

#include <algorithm>

std::string PaneToProgramText(const QString& paneText) {
    const QByteArray utf8 = paneText.toUtf8();
    std::string text;
    text.reserve(static_cast<size_t>(utf8.size()) + static_cast<size_t>(paneText.count('\n')));
    for (const char c : utf8) {
        if (c == '\n')
            text += '\r';
        text += c;
    }
    return text;
}

QString ProgramToPaneText(const std::string& text) {
    std::string plain;
    plain.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            plain += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            plain += text[i];
        }
    }
    return QString::fromUtf8(plain.data(), static_cast<qsizetype>(plain.size()));
}

QString WithCrLf(const QString& paneText) {
    QString text = paneText;
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

int CrLfPosFromCursor(const QString& paneText, int cursorPos) {
    const int pos = std::clamp(cursorPos, 0, static_cast<int>(paneText.size()));
    return pos + static_cast<int>(QStringView(paneText).left(pos).count(QLatin1Char('\n')));
}

int CursorPosFromCrLf(const QString& paneText, int crlfPos) {
    int crlf = 0;
    const int size = static_cast<int>(paneText.size());
    for (int i = 0; i < size; ++i) {
        const int width = paneText[i] == QLatin1Char('\n') ? 2 : 1;
        if (crlfPos < crlf + width)
            return i; // at this character, or between its CR and LF
        crlf += width;
    }
    return size;
}
