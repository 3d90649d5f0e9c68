#include "uilogic/Decimals.h"

#include <algorithm>
#include <cctype>

namespace {
constexpr int kMinDecimals = 0;
constexpr int kMaxDecimals = 15;
} // namespace

int ReadDecimals(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = std::min(value * 10 + (text[i] - '0'), 1000LL); // far beyond the clamp
    if (negative)
        value = -value;
    return static_cast<int>(std::clamp<long long>(value, kMinDecimals, kMaxDecimals));
}
