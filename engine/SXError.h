#pragma once

#include <string>

// The engine's error record: an error text and the rest of the line from where it arose.
// Errors travel as this value, returned from the tokenizer and the parser, not as exceptions.
struct SXError {
    const char* text = nullptr; // nullptr: no error
    const char* rest = nullptr; // nullptr: the message is the text alone

    bool Failed() const { return text != nullptr; }
    // "<error text> '<rest of the line>'", e.g. "div by 0 '5'"; empty when there is no error.
    std::string Message() const;
};
