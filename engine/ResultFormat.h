#pragma once

#include "engine/CalcValue.h"

#include <cstdint>
#include <string>

enum class DisplayMode : int32_t { Decimal = 1, Unsigned = 2, Hex = 3, Binary = 4 };

// The options that shape a result text; the front ends fill them from their settings.
struct FormatOptions {
    int32_t decimals = 4;            // clamped to 0..15 when used
    int32_t deleteTrailingZeros = 1; // nonzero: strip trailing zeros of reals
    int32_t groupDigits = 1;         // nonzero: group digits with spaces
};

// Removes a trailing ",x", ",b" or ",u" from the line and returns the mode it chooses.
DisplayMode ParseDisplaySuffix(std::string& line);

// Appends the text of value in mode to text.
void FormatResult(const CalcValue& value, std::string& text, DisplayMode mode,
                  const FormatOptions& options);
