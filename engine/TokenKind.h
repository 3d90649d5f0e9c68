#pragma once

#include <cstdint>

// Kinds of the tokens the tokenizer hands to the parser. A single-character operator
// uses its own character code as its kind.
enum class TokenKind : int32_t {
    TokEnd = 0,
    TokNumber = 48,
    TokConstant = 99,
    TokFunction = 102,
    TokVariable = 118,
    TokPercent = '%',
    TokAnd = '&',
    TokOpen = '(',
    TokClose = ')',
    TokStar = '*',
    TokPlus = '+',
    TokComma = ',',
    TokMinus = '-',
    TokSlash = '/',
    TokLess = '<',
    TokGreater = '>',
    TokPower = '^',
    TokOr = '|',
    TokTilde = '~',
    TokShiftLeft = 256,
    TokShiftRight = 257,
    TokXor = 259,
    TokComment = 260,
};
