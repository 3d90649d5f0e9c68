#include "engine/ResultFormat.h"

#include <algorithm>
#include <charconv>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kMaxDecimals = 15;
constexpr int kSignificantDigits = 17;

// Adds one unit in the last place of a decimal digit string, carries included.
void IncrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// Fixed-point text of a finite double with the given decimals. The digits come from the
// correctly rounded 17-digit form, cut at the last wanted place and rounded half up in
// magnitude; places beyond the 17th significant digit are 0.
std::string FixedPoint(double value, int decimals) {
    // to_chars, unlike printf, ignores the numeric locale a GUI host may have switched to.
    char buffer[40];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer - 1, std::fabs(value),
                                       std::chars_format::scientific, kSignificantDigits - 1);
    *written.ptr = '\0';
    // buffer: d.dddddddddddddddde[+-]xx
    std::string digits;
    digits.reserve(kSignificantDigits);
    const char* p = buffer;
    for (; *p != 'e'; ++p) {
        if (*p != '.') {
            digits += *p;
        }
    }
    const int exponent = std::atoi(p + 1); // place value of the first digit is 10^exponent

    // The digits of N, where the printed value is N * 10^-decimals.
    std::string scaled;
    const int kept = exponent + 1 + decimals; // significant digits down to 10^-decimals
    if (kept >= kSignificantDigits) {
        scaled = digits + std::string(static_cast<size_t>(kept - kSignificantDigits), '0');
    } else if (kept >= 0) {
        const auto cut = static_cast<size_t>(kept);
        scaled = digits.substr(0, cut);
        if (digits[cut] >= '5') {
            IncrementDigits(scaled);
        }
    } // else every digit is dropped, the first dropped one being an implied 0

    // At least one integer digit and exactly `decimals` fraction digits.
    if (scaled.size() < static_cast<size_t>(decimals) + 1) {
        scaled.insert(0, static_cast<size_t>(decimals) + 1 - scaled.size(), '0');
    }
    std::string text = std::signbit(value) ? "-" : "";
    const size_t integerDigits = scaled.size() - static_cast<size_t>(decimals);
    text.append(scaled, 0, integerDigits);
    if (decimals > 0) {
        text += '.';
        text.append(scaled, integerDigits, std::string::npos);
    }
    return text;
}

std::string RealText(double value, int decimals) {
    if (std::isnan(value)) {
        return "nan"; // never signed
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    return FixedPoint(value, decimals);
}

void Tidy(std::string& text, bool deleteTrailingZeros) {
    if (text == "-0") {
        text = "0";
    }
    if (deleteTrailingZeros && text.find('.') != std::string::npos) {
        const size_t last = text.find_last_not_of('0');
        text.erase(last + 1);
        if (!text.empty() && text.back() == '.') {
            text.pop_back();
        }
        if (text == "-0") {
            text = "0";
        }
    }
}

void GroupDigits(std::string& text, size_t groupSize) {
    const size_t point = text.find('.');
    const size_t end = point == std::string::npos ? text.size() : point;
    const size_t firstDigit = !text.empty() && text[0] == '-' ? 1 : 0;
    // Positions count down from the end of the integer part; inserting at p moves only the
    // characters right of p, so the smaller positions still to come stay valid.
    for (size_t p = end; p >= groupSize && p - groupSize > firstDigit;) {
        p -= groupSize;
        text.insert(p, 1, ' ');
    }
}

std::string BinaryText(uint64_t bits) {
    std::string text;
    do {
        text.insert(text.begin(), (bits & 1u) != 0 ? '1' : '0');
        bits >>= 1;
    } while (bits != 0);
    return text;
}

// The 64 bits that the unsigned, hex and binary modes show. A cleared value shows its
// (zero) integer payload rather than garbage.
uint64_t Bits(const CalcValue& value) {
    const int64_t v = value.kind == ValueKind::Real ? ToInteger(value) : value.integer;
    return static_cast<uint64_t>(v);
}

} // namespace

DisplayMode ParseDisplaySuffix(std::string& line) {
    if (line.size() < 2 || line[line.size() - 2] != ',') {
        return DisplayMode::Decimal;
    }
    DisplayMode mode;
    switch (line.back()) {
    case 'x':
        mode = DisplayMode::Hex;
        break;
    case 'b':
        mode = DisplayMode::Binary;
        break;
    case 'u':
        mode = DisplayMode::Unsigned;
        break;
    default:
        return DisplayMode::Decimal;
    }
    line.erase(line.size() - 2);
    return mode;
}

void FormatResult(const CalcValue& value, std::string& text, DisplayMode mode,
                  const FormatOptions& options) {
    char buffer[32];
    std::string result;
    size_t groupSize = 3;
    switch (mode) {
    case DisplayMode::Unsigned:
        std::snprintf(buffer, sizeof buffer, "%" PRIu64, Bits(value));
        result = buffer;
        break;
    case DisplayMode::Hex:
        std::snprintf(buffer, sizeof buffer, "%" PRIX64, Bits(value));
        result = buffer;
        groupSize = 4;
        break;
    case DisplayMode::Binary:
        result = BinaryText(Bits(value));
        groupSize = 4;
        break;
    case DisplayMode::Decimal:
    default:
        if (value.kind == ValueKind::Real) {
            const int decimals = std::clamp(options.decimals, 0, kMaxDecimals);
            result = RealText(value.real, decimals);
            Tidy(result, options.deleteTrailingZeros != 0);
        } else {
            std::snprintf(buffer, sizeof buffer, "%" PRId64, value.integer);
            result = buffer;
        }
        break;
    }
    if (options.groupDigits != 0) {
        GroupDigits(result, groupSize);
    }
    text += result;
}
