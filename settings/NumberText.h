#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Numbers typed by hand (the settings file, the Settings dialog's decimals field), read the
// way atoi reads them: leading white space, an optional sign, digits; whatever follows is not
// looked at. Values beyond the 32-bit range saturate instead of overflowing.

// Reads the number at pos and moves pos behind it; false, with pos and value untouched, when
// no digit follows.
bool ReadNumber(const std::string& text, size_t& pos, int32_t& value);

// The number at pos, or 0 when there is none (also when pos lies past the end).
int32_t NumberAt(const std::string& text, size_t pos);
