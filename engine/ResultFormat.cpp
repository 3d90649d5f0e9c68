#include "engine/ResultFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>

namespace {

constexpr int kMaxDecimals = 15;
constexpr int kSignificantDigits = 17;

// A result text under construction, on the stack: the longest one is a fixed-point double
// (a sign, 309 integer digits, a point and 15 decimals) or 64 binary digits.
class ResultText {
public:
    void Push(char c) { m_data[m_size++] = c; }
    void Push(char c, size_t count) {
        std::fill_n(m_data + m_size, count, c);
        m_size += count;
    }
    void Push(const char* text, size_t length) {
        std::copy_n(text, length, m_data + m_size);
        m_size += length;
    }
    void PopBack() { --m_size; }
    void Resize(size_t size) { m_size = size; }
    char* Data() { return m_data; }
    const char* Data() const { return m_data; }
    size_t Size() const { return m_size; }
    bool Is(const char* text) const {
        return std::char_traits<char>::length(text) == m_size &&
               std::char_traits<char>::compare(text, m_data, m_size) == 0;
    }
    char* End() { return m_data + m_size; }
    char* Limit() { return m_data + sizeof m_data; }
    void SetEnd(char* end) { m_size = static_cast<size_t>(end - m_data); }

private:
    char m_data[400];
    size_t m_size = 0;
};

// Adds one unit in the last place of the decimal digits [digits, digits + count), carries
// included; returns true when a carry runs out of the front (all were 9s and are now 0s).
bool IncrementDigits(char* digits, size_t count) {
    for (size_t i = count; i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    return true;
}

// Fixed-point text of a finite double with the given decimals. The digits come from the
// correctly rounded 17-digit form, cut at the last wanted place and rounded half up in
// magnitude; places beyond the 17th significant digit are 0.
void FixedPoint(double value, int decimals, ResultText& text) {
    // to_chars, unlike printf, ignores the numeric locale a GUI host may have switched to.
    char buffer[40];
    const std::to_chars_result written =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                      std::chars_format::scientific, kSignificantDigits - 1);
    // buffer: d.dddddddddddddddde[+-]xx
    char digits[kSignificantDigits];
    size_t count = 0;
    const char* p = buffer;
    for (; *p != 'e'; ++p) {
        if (*p != '.') {
            digits[count++] = *p;
        }
    }
    ++p;
    const bool negativeExponent = *p == '-';
    if (*p == '-' || *p == '+') {
        ++p;
    }
    int exponent = 0; // place value of the first digit is 10^exponent
    for (; p != written.ptr; ++p) {
        exponent = exponent * 10 + (*p - '0');
    }
    if (negativeExponent) {
        exponent = -exponent;
    }

    // The digits of N, where the printed value is N * 10^-decimals, with room for a carry.
    char scaled[kSignificantDigits + 340];
    size_t length = 0;
    const int kept = exponent + 1 + decimals; // significant digits down to 10^-decimals
    if (kept >= kSignificantDigits) {
        std::copy_n(digits, kSignificantDigits, scaled);
        std::fill_n(scaled + kSignificantDigits, kept - kSignificantDigits, '0');
        length = static_cast<size_t>(kept);
    } else if (kept >= 0) {
        const auto cut = static_cast<size_t>(kept);
        std::copy_n(digits, cut, scaled + 1);
        length = cut;
        char* first = scaled + 1;
        if (digits[cut] >= '5' && IncrementDigits(first, cut)) {
            *--first = '1';
            ++length;
        }
        if (first != scaled) {
            std::copy_n(first, length, scaled);
        }
    } // else every digit is dropped, the first dropped one being an implied 0

    // At least one integer digit and exactly `decimals` fraction digits.
    const auto fraction = static_cast<size_t>(decimals);
    if (std::signbit(value)) {
        text.Push('-');
    }
    if (length > fraction) {
        text.Push(scaled, length - fraction);
    } else {
        text.Push('0');
    }
    if (fraction > 0) {
        text.Push('.');
    }
    if (length < fraction) {
        text.Push('0', fraction - length);
    }
    const size_t tail = std::min(length, fraction); // the fraction digits scaled holds
    text.Push(scaled + length - tail, tail);
}

void RealText(double value, int decimals, ResultText& text) {
    if (std::isnan(value)) {
        text.Push("nan", 3); // never signed
    } else if (std::isinf(value)) {
        value < 0 ? text.Push("-inf", 4) : text.Push("inf", 3);
    } else {
        FixedPoint(value, decimals, text);
    }
}

void Tidy(ResultText& text, bool deleteTrailingZeros) {
    if (text.Is("-0")) {
        text.Resize(0);
        text.Push('0');
    }
    const char* data = text.Data();
    if (deleteTrailingZeros && std::find(data, data + text.Size(), '.') != data + text.Size()) {
        while (text.Size() > 0 && data[text.Size() - 1] == '0') {
            text.PopBack();
        }
        if (text.Size() > 0 && data[text.Size() - 1] == '.') {
            text.PopBack();
        }
        if (text.Is("-0")) {
            text.Resize(0);
            text.Push('0');
        }
    }
}

// Appends the text with a space between groups of groupSize digits, counted leftwards from
// the point (or the end); never between a minus sign and the first digit.
void AppendGrouped(const ResultText& result, size_t groupSize, std::string& text) {
    const char* data = result.Data();
    const size_t size = result.Size();
    const size_t end = static_cast<size_t>(std::find(data, data + size, '.') - data);
    const size_t firstDigit = size > 0 && data[0] == '-' ? 1 : 0;
    // The first group runs from the first digit to the first place a space goes.
    size_t from = 0;
    size_t to = end > firstDigit ? firstDigit + (end - firstDigit) % groupSize : end;
    if (to == firstDigit) {
        to += groupSize;
    }
    if (to > end) {
        to = end;
    }
    text.append(data + from, to);
    for (from = to; from < end; from += groupSize) {
        text += ' ';
        text.append(data + from, groupSize);
    }
    text.append(data + end, size - end);
}

void AppendNumber(uint64_t value, int base, ResultText& text) {
    text.SetEnd(std::to_chars(text.End(), text.Limit(), value, base).ptr);
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
    ResultText result;
    size_t groupSize = 3;
    switch (mode) {
    case DisplayMode::Unsigned:
        AppendNumber(Bits(value), 10, result);
        break;
    case DisplayMode::Hex: {
        AppendNumber(Bits(value), 16, result);
        char* data = result.Data();
        std::transform(data, data + result.Size(), data,
                       [](char c) { return c >= 'a' ? static_cast<char>(c - 'a' + 'A') : c; });
        groupSize = 4;
    } break;
    case DisplayMode::Binary:
        AppendNumber(Bits(value), 2, result);
        groupSize = 4;
        break;
    case DisplayMode::Decimal:
    default:
        if (value.kind == ValueKind::Real) {
            const int decimals = std::clamp(options.decimals, 0, kMaxDecimals);
            RealText(value.real, decimals, result);
            Tidy(result, options.deleteTrailingZeros != 0);
        } else {
            result.SetEnd(std::to_chars(result.End(), result.Limit(), value.integer).ptr);
        }
        break;
    }
    if (options.groupDigits != 0) {
        AppendGrouped(result, groupSize, text);
    } else {
        text.append(result.Data(), result.Size());
    }
}
