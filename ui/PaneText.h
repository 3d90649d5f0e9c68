#pragma once

#include <QString>

#include <string>

// The panes hold their text with '\n' line breaks; the rest of the program sees 8-bit text
// with CR LF line breaks, and selection positions count a line break as two characters.
// These helpers are the one place where the two forms meet.

// Pane text ('\n') to program text (CR LF, UTF-8 bytes).
std::string PaneToProgramText(const QString& paneText);
// Program text (CR LF, a lone CR or LF also breaks a line) to pane text ('\n').
QString ProgramToPaneText(const std::string& text);

// Pane text with every '\n' written as CR LF; its indexes are CR LF positions.
QString WithCrLf(const QString& paneText);

// A cursor position in the pane text to a CR LF position.
int CrLfPosFromCursor(const QString& paneText, int cursorPos);
// A CR LF position to a cursor position; a position between CR and LF maps to the line's end.
// Out-of-range positions are clamped.
int CursorPosFromCrLf(const QString& paneText, int crlfPos);
