#pragma once

#include <cstddef>
#include <string>

// A realistic expression-pane text of lineCount CR LF-separated lines, the same for every call.
// With failingLines false, the two failing lines of every sixteen are replaced by valid ones.
std::string MakeSheet(size_t lineCount, bool failingLines = true);
