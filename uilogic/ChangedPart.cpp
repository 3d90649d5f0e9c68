#include "uilogic/ChangedPart.h"

#include <algorithm>

namespace {

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

ChangedPart FindChangedPart(const std::u16string& oldText, const std::u16string& newText) {
    const size_t oldSize = oldText.size();
    const size_t newSize = newText.size();
    const size_t shorter = std::min(oldSize, newSize);
    size_t prefix = 0;
    while (prefix < shorter && oldText[prefix] == newText[prefix])
        ++prefix;
    if (prefix > 0 && prefix < shorter && IsHighSurrogate(newText[prefix - 1]))
        --prefix; // never split a surrogate pair
    size_t suffix = 0;
    while (suffix < shorter - prefix &&
           oldText[oldSize - 1 - suffix] == newText[newSize - 1 - suffix])
        ++suffix;
    if (suffix > 0 && suffix < shorter - prefix && IsLowSurrogate(newText[newSize - suffix]))
        --suffix;
    ChangedPart part;
    part.start = static_cast<int>(prefix);
    part.oldEnd = static_cast<int>(oldSize - suffix);
    part.newEnd = static_cast<int>(newSize - suffix);
    part.changed = !(part.start == part.oldEnd && part.start == part.newEnd);
    return part;
}
