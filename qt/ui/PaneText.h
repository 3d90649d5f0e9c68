#pragma once

#include <QString>

#include <string>

// The pane's QString and the program's 8-bit CR LF text; the line-break rules themselves are
// in uilogic/PaneText.h.

// Pane text ('\n') to program text (CR LF, UTF-8 bytes).
std::string PaneToProgramText(const QString& paneText);
// Program text (CR LF, a lone CR or LF also breaks a line) to pane text ('\n').
QString ProgramToPaneText(const std::string& text);
