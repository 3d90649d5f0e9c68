#include "settings/NumberText.h"

#include "engine/CharClass.h"

#include <limits>

bool ReadNumber(const std::string& text, size_t& pos, int32_t& value) {
    size_t i = pos;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size() || !IsDigit(text[i]))
        return false;
    // Accumulate towards the limit of the sign's side; the negative limit is one larger.
    const int64_t limit = negative ? -static_cast<int64_t>(std::numeric_limits<int32_t>::min())
                                   : std::numeric_limits<int32_t>::max();
    int64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit)
            magnitude = limit; // keeps consuming digits, stays saturated
    }
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    pos = i;
    return true;
}

int32_t NumberAt(const std::string& text, size_t pos) {
    int32_t value = 0;
    if (pos > text.size() || !ReadNumber(text, pos, value))
        return 0;
    return value;
}
