#pragma once

#include <cstddef>
#include <string>

// A realistic expression-pane text of lineCount CR LF-separated lines, the same for every call.
std::string MakeSheet(size_t lineCount);
