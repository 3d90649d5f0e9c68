#pragma once

#include <string>

// The panes hold their text as the edit control keeps it: UTF-16 code units with '\n' line
// breaks. The rest of the program sees 8-bit text with CR LF line breaks, and selection
// positions count a line break as two characters. These helpers are the one place where the
// forms meet; a front end converts only between its own string type and these.

// Pane lines (UTF-8 bytes, '\n' breaks) to program text (CR LF).
std::string ProgramTextFromPaneLines(const std::string& paneLines);
// Program text (CR LF; a lone CR or LF also breaks a line) to pane lines ('\n').
std::string PaneLinesFromProgramText(const std::string& text);

// Pane text with every '\n' written as CR LF; its indexes are CR LF positions.
std::u16string WithCrLf(const std::u16string& paneText);
// The reverse: every CR LF becomes '\n'.
std::u16string WithoutCrLf(const std::u16string& crlfText);

// A cursor position in the pane text to a CR LF position; out-of-range positions are clamped.
int CrLfPosFromCursor(const std::u16string& paneText, int cursorPos);
// A CR LF position to a cursor position; a position between CR and LF maps to the line's end.
// Out-of-range positions are clamped.
int CursorPosFromCrLf(const std::u16string& paneText, int crlfPos);
