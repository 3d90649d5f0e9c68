#pragma once

// The character classes of the program's own texts: plain ASCII, so bytes of 128 and above
// belong to none of them, whatever the C library's locale says.

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// An identifier (a function, constant or variable name) starts with a letter or '_' and goes
// on with letters, digits and '_'.
constexpr bool IsIdentStart(char c) {
    return IsLetter(c) || c == '_';
}

constexpr bool IsIdentChar(char c) {
    return IsIdentStart(c) || IsDigit(c);
}

constexpr bool IsBinDigit(char c) {
    return c == '0' || c == '1';
}

// 0 to 15 for 0-9, a-f and A-F; -1 for anything else.
constexpr int HexDigitValue(char c) {
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

// The white space that the C library's isspace knows in the "C" locale.
constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// 'A'-'Z' become 'a'-'z'; every other byte stays.
constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
