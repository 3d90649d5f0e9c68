#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Every error the engine raises. Several kinds may share one text ("internal err"); the kind
// tells them apart for an explanation in other words.
enum class ErrorKind : int32_t {
    None = 0,
    // scanning
    InvalidToken,   // "invalid tok": a character that begins no token
    UnknownConst,   // "unknown const": a name that is no function, constant or variable
    Dot,            // "dot": a point with no digit on either side
    BadSuffix,      // "bad suffix": a number followed by a letter other than e
    ExpectingDigit, // "expecting digit": an exponent without digits
    InvalidHexa,    // "invalid hexa": 0x without a hexadecimal digit
    InvalidBin,     // "invalid bin": 0b without a binary digit
    // parsing
    Err,            // "err": no operand where one was expected
    MissingClose,   // "missing )"
    ExpectingOpen,  // "expecting (": a function name not followed by (
    TooManyParams,  // "too many params"
    MissingParam,   // "missing param": fewer values than the function needs
    ExprIncomplete, // "expr incomplete": more after a complete expression
    DivByZero,      // "div by 0"
    // the library
    ExpectOne, // "fact expect 1 param"
    ExpectTwo, // "fact expect 2 params"
    Undefined, // "undefined": the function has no value there
    // "internal err"
    NestedTooDeep,     // more nesting than the parser allows
    RemainderBelowOne, // % by a real divisor between -1 and 1 (it converts to 0)
    OutOfMemory,
};
constexpr int32_t kErrorKindCount = static_cast<int32_t>(ErrorKind::OutOfMemory) + 1;

// The engine's own text of an error, e.g. "div by 0"; "" for None.
const char* ErrorKindText(ErrorKind kind);

// No place in the line: the error is not about one piece of it.
constexpr size_t kNoPlace = static_cast<size_t>(-1);

// What went wrong and where, as data; the message says the same in the engine's terse words.
struct ErrorDetail {
    ErrorKind kind = ErrorKind::None;
    // The piece of the line where evaluation stopped: bytes from the line's start and its
    // length (0 at the end of the line), or kNoPlace.
    size_t position = kNoPlace;
    size_t length = 0;
    // For the errors of a call: the function's table index and how many values it was given.
    int32_t function = -1;
    int32_t given = 0;
};

// The engine's error record: the detail and the rest of the line from where it arose.
// Errors travel as this value, returned from the tokenizer and the parser, not as exceptions.
struct SXError {
    ErrorDetail detail;
    const char* rest = nullptr; // nullptr: the message is the text alone

    bool Failed() const { return detail.kind != ErrorKind::None; }
    // "<error text> '<rest of the line>'", e.g. "div by 0 '5'"; empty when there is no error.
    std::string Message() const;
};
