#include "engine/Tokenizer.h"

#include "engine/CalcLibrary.h"
#include "engine/CharClass.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

namespace {

bool IsOperatorChar(char c) {
    switch (c) {
    case '+':
    case '-':
    case '*':
    case '/':
    case '%':
    case '(':
    case ')':
    case ',':
    case '&':
    case '|':
    case '^':
    case '~':
    case '<':
    case '>':
        return true;
    default:
        return false;
    }
}

// The point spelled as the current C locale wants it, so that a host that switched the
// numeric locale still reads 1.5 as one and a half.
double ConvertInLocale(const char* begin, size_t length) {
    const char* point = std::localeconv()->decimal_point;
    std::string copy;
    copy.reserve(length + 4);
    for (size_t i = 0; i < length; ++i) {
        if (begin[i] == '.' && point != nullptr && *point != '\0') {
            copy += point;
        } else {
            copy += begin[i];
        }
    }
    return std::strtod(copy.c_str(), nullptr);
}

// Converts an already validated decimal literal to the nearest double. from_chars reads only
// the literal and ignores the locale; the values it leaves to strtod are those out of range
// (an overflow to infinity, an underflow to zero or a subnormal).
double ConvertDecimal(const char* begin, size_t length) {
    double value = 0.0;
    const std::from_chars_result parsed = std::from_chars(begin, begin + length, value);
    if (parsed.ec == std::errc() && parsed.ptr == begin + length) {
        return value;
    }
    return ConvertInLocale(begin, length);
}

// A decimal literal as digits * 10^exponent, while the digits fit in 64 bits.
struct ShortDecimal {
    uint64_t digits = 0;
    int significant = 0; // digits from the first nonzero one on
    int exponent = 0;
    bool exact = true;

    void AddDigit(char c) {
        if (significant == 19) {
            exact = false; // more digits than 64 bits hold: the conversion routine decides
            return;
        }
        digits = digits * 10 + static_cast<uint64_t>(c - '0');
        if (digits != 0) {
            ++significant;
        }
    }

    // The nearest double when one multiplication or division of exact doubles gives it:
    // digits below 2^53 and a power of ten up to 10^22, both exactly representable, so the
    // single rounding of the operation is the correct one. Needs double-precision arithmetic
    // (not the x87's extended precision).
    bool Convert(double& value) const {
        static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
#if FLT_EVAL_METHOD == 0
        if (!exact || digits > (uint64_t{1} << 53) || exponent < -22 || exponent > 22) {
            return false;
        }
        const auto mantissa = static_cast<double>(digits);
        value = exponent < 0 ? mantissa / kPowers[-exponent] : mantissa * kPowers[exponent];
        return true;
#else
        static_cast<void>(kPowers);
        static_cast<void>(value);
        return false;
#endif
    }
};

} // namespace

void Tokenizer::Start(const char* text, const VariableLookup* variables) {
    m_text = text;
    m_cursor = 0;
    m_tokenStart = 0;
    m_token = TokenKind::TokEnd;
    m_literal = CalcValue{};
    m_index = -1;
    m_variables = variables;
    m_error = SXError{};
}

TokenKind Tokenizer::Fail(ErrorKind kind, size_t length, TokenKind previous) {
    m_error = SXError{};
    m_error.detail.kind = kind;
    m_error.detail.position = m_cursor;
    m_error.detail.length = length;
    m_error.rest = Rest();
    return previous;
}

ErrorKind Tokenizer::ScanNumber(CalcValue& value) {
    const char* start = m_text + m_cursor;
    const char* p = start;
    // The piece that failed runs from the start through the character that ended the scan.
    const auto fail = [&](ErrorKind kind) {
        m_failedLength = static_cast<size_t>(p - start) + (*p != '\0' ? 1 : 0);
        return kind;
    };

    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        p += 2;
        if (HexDigitValue(*p) < 0) {
            return fail(ErrorKind::InvalidHexa);
        }
        uint64_t bits = 0;
        for (int d; (d = HexDigitValue(*p)) >= 0; ++p) {
            bits = bits * 16 + static_cast<uint64_t>(d); // only the last 16 digits count
        }
        value = CalcValue::MakeInteger(static_cast<int64_t>(bits));
        m_cursor += static_cast<size_t>(p - start);
        return ErrorKind::None;
    }

    if (p[0] == '0' && (p[1] == 'b' || p[1] == 'B')) {
        p += 2;
        if (!IsBinDigit(*p)) {
            return fail(ErrorKind::InvalidBin);
        }
        uint64_t bits = 0;
        for (; IsBinDigit(*p); ++p) {
            bits = bits * 2 + static_cast<uint64_t>(*p - '0'); // only the last 64 digits count
        }
        value = CalcValue::MakeInteger(static_cast<int64_t>(bits));
        m_cursor += static_cast<size_t>(p - start);
        return ErrorKind::None;
    }

    ShortDecimal decimal;
    const char* digits = p;
    for (; IsDigit(*p); ++p) {
        decimal.AddDigit(*p);
    }
    if (*p == '.') {
        if (p == digits && !IsDigit(p[1])) {
            return fail(ErrorKind::Dot);
        }
        ++p;
        for (; IsDigit(*p); ++p) {
            decimal.AddDigit(*p);
            --decimal.exponent;
        }
    }
    if (IsLetter(*p)) {
        if (*p != 'e' && *p != 'E') {
            return fail(ErrorKind::BadSuffix);
        }
        ++p;
        const bool negative = *p == '-';
        if (*p == '+' || *p == '-') {
            ++p;
        }
        if (!IsDigit(*p)) {
            return fail(ErrorKind::ExpectingDigit);
        }
        int written = 0;
        for (; IsDigit(*p); ++p) {
            written = std::min(written * 10 + (*p - '0'), 100000); // saturates far out of range
        }
        decimal.exponent += negative ? -written : written;
        if (IsLetter(*p)) {
            return fail(ErrorKind::ExpectingDigit);
        }
    }
    const auto length = static_cast<size_t>(p - start);
    double converted = 0.0;
    if (!decimal.Convert(converted)) {
        converted = ConvertDecimal(start, length);
    }
    value = CalcValue::MakeReal(converted);
    m_cursor += length;
    return ErrorKind::None;
}

void Tokenizer::ResolveIdentifier(size_t start, size_t length) {
    const char* name = m_text + start;
    m_index = -1;
    if ((m_index = FindFunction(name, length)) >= 0) {
        m_token = TokenKind::TokFunction;
    } else if ((m_index = FindConstant(name, length)) >= 0) {
        m_token = TokenKind::TokConstant;
    } else if (m_variables != nullptr && (m_index = m_variables->FindVariable(name, length)) >= 0) {
        m_token = TokenKind::TokVariable;
    }
}

TokenKind Tokenizer::NextToken() {
    const TokenKind previous = m_token;
    const char c = m_text[m_cursor];
    m_tokenStart = m_cursor;

    if (c == '\0') {
        m_token = TokenKind::TokEnd;
        m_literal = CalcValue{};
        return previous;
    }

    if (IsDigit(c) || c == '.') {
        CalcValue value;
        if (const ErrorKind error = ScanNumber(value); error != ErrorKind::None) {
            return Fail(error, m_failedLength, previous);
        }
        m_literal = value;
        m_token = TokenKind::TokNumber;
        return previous;
    }

    if (IsOperatorChar(c)) {
        const char next = m_text[m_cursor + 1];
        m_token = static_cast<TokenKind>(c);
        ++m_cursor;
        if (c == '/' && next == '/') {
            m_token = TokenKind::TokComment;
            m_cursor += std::strlen(m_text + m_cursor); // a comment runs to the end
        } else if (c == '>' && next == '>') {
            m_token = TokenKind::TokShiftRight;
            ++m_cursor;
        } else if (c == '<' && next == '<') {
            m_token = TokenKind::TokShiftLeft;
            ++m_cursor;
        } else if (c == '^' && next == '^') {
            m_token = TokenKind::TokXor;
            ++m_cursor;
        }
        return previous;
    }

    if (IsIdentStart(c)) {
        size_t end = m_cursor + 1;
        while (IsIdentChar(m_text[end])) {
            ++end;
        }
        ResolveIdentifier(m_cursor, end - m_cursor);
        if (m_index < 0) {
            return Fail(ErrorKind::UnknownConst, end - m_cursor, previous);
        }
        m_cursor = end;
        return previous;
    }

    return Fail(ErrorKind::InvalidToken, 1, previous);
}
