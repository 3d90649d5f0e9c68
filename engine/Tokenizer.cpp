// The tokenizer cuts one line into tokens for the parser: numeric literals, operators,
// identifiers resolved against the function table, the constant table and the variables,
// and a trailing comment.
#include "engine/CalcEvaluator.h"
#include "engine/CalcLibrary.h"
#include "engine/SXError.h"
#include "worksheet/VariableList.h"

#include <clocale>
#include <cstdlib>
#include <cstring>

namespace {

// Plain ASCII classes; bytes of 128 and above belong to none.
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsIdentStart(char c) {
    return IsLetter(c) || c == '_';
}
bool IsIdentChar(char c) {
    return IsIdentStart(c) || IsDigit(c);
}
bool IsBinDigit(char c) {
    return c == '0' || c == '1';
}

int HexDigitValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool IsOperatorChar(char c) {
    return c != '\0' && std::strchr("+-*/%(),&|^~<>", c) != nullptr;
}

// Converts an already validated decimal literal. The text is copied so that the conversion
// cannot read past the literal, and the point is spelled as the current C locale wants it,
// so a host that switched the numeric locale still reads 1.5 as one and a half.
double ConvertDecimal(const char* begin, size_t length) {
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

} // namespace

void CalcEvaluator::Raise(const char* text) const {
    std::string message = text;
    message += " '";
    message.append(m_text, m_cursor, std::string::npos);
    message += '\'';
    throw SXError{std::move(message)};
}

const char* CalcEvaluator::ScanNumber(CalcValue& value) {
    const char* start = m_text.c_str() + m_cursor;
    const char* p = start;

    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        p += 2;
        if (HexDigitValue(*p) < 0) {
            return "invalid hexa";
        }
        uint64_t bits = 0;
        for (int d; (d = HexDigitValue(*p)) >= 0; ++p) {
            bits = bits * 16 + static_cast<uint64_t>(d); // only the last 16 digits count
        }
        value = CalcValue::MakeInteger(static_cast<int64_t>(bits));
        m_cursor += static_cast<size_t>(p - start);
        return nullptr;
    }

    if (p[0] == '0' && (p[1] == 'b' || p[1] == 'B')) {
        p += 2;
        if (!IsBinDigit(*p)) {
            return "invalid bin";
        }
        uint64_t bits = 0;
        for (; IsBinDigit(*p); ++p) {
            bits = bits * 2 + static_cast<uint64_t>(*p - '0'); // only the last 64 digits count
        }
        value = CalcValue::MakeInteger(static_cast<int64_t>(bits));
        m_cursor += static_cast<size_t>(p - start);
        return nullptr;
    }

    const char* digits = p;
    while (IsDigit(*p)) {
        ++p;
    }
    if (*p == '.') {
        if (p == digits && !IsDigit(p[1])) {
            return "dot";
        }
        ++p;
        while (IsDigit(*p)) {
            ++p;
        }
    }
    if (IsLetter(*p)) {
        if (*p != 'e' && *p != 'E') {
            return "bad suffix";
        }
        ++p;
        if (*p == '+' || *p == '-') {
            ++p;
        }
        if (!IsDigit(*p)) {
            return "expecting digit";
        }
        while (IsDigit(*p)) {
            ++p;
        }
        if (IsLetter(*p)) {
            return "expecting digit";
        }
    }
    size_t length = static_cast<size_t>(p - start);
    value = CalcValue::MakeReal(ConvertDecimal(start, length));
    m_cursor += length;
    return nullptr;
}

void CalcEvaluator::ResolveIdentifier(size_t start, size_t length) {
    const char* name = m_text.c_str() + start;
    m_index = -1;
    if ((m_index = FindFunction(name, length)) >= 0) {
        m_token = TokenKind::TokFunction;
    } else if ((m_index = FindConstant(name, length)) >= 0) {
        m_token = TokenKind::TokConstant;
    } else if (m_variables != nullptr && (m_index = m_variables->FindVariable(name, length)) >= 0) {
        m_token = TokenKind::TokVariable;
    }
}

TokenKind CalcEvaluator::NextToken() {
    const TokenKind previous = m_token;
    const char c = m_text[m_cursor]; // m_text[size()] is the terminating zero

    if (c == '\0') {
        m_token = TokenKind::TokEnd;
        m_literal = CalcValue{};
        return previous;
    }

    if (IsDigit(c) || c == '.') {
        CalcValue value;
        if (const char* error = ScanNumber(value)) {
            Raise(error);
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
            m_cursor = m_text.size();
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
            Raise("unknown const");
        }
        m_cursor = end;
        return previous;
    }

    Raise("invalid tok");
}
