#pragma once

#include <string>

// Reads the whole file; false with "path: reason" in error when it cannot be read.
bool ReadFile(const std::string& path, std::string& text, std::string& error);

// File text (LF or CR LF lines) to pane text (CR LF lines). One final line break only ends
// the last line; it adds no empty line. A leading UTF-8 byte-order mark is dropped.
std::string ToPaneText(std::string text);

// Results text (CR LF lines) to output text (LF lines).
std::string ToOutputText(const std::string& results);
