#pragma once

#include <string>

// The decimals field of the Settings dialog read the way atoi reads a number (leading white
// space, an optional sign, the digits that follow; no digits gives 0), then kept within 0..15.
// Very long digit runs saturate instead of overflowing.
int ReadDecimals(const std::string& text);
