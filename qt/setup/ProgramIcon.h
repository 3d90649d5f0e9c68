#pragma once

#include <string>

// Writes the program icon (resource 128) as a PNG picture to path. False when it cannot.
bool WriteProgramIcon(const std::string& path);
