#pragma once

#include "engine/CalcValue.h"
#include "engine/SXError.h"
#include "engine/TokenKind.h"
#include "engine/VariableLookup.h"

#include <cstddef>
#include <cstdint>

// Cuts one line into tokens for the parser: numeric literals, operators, identifiers resolved
// against the function table, the constant table and the variables, and a trailing comment.
// It knows no white space: every character outside its classes is an error.
class Tokenizer {
public:
    // Starts before the first token of text, which must outlive the scan; the text ends at its
    // first zero byte. variables may be null (no variables).
    void Start(const char* text, const VariableLookup* variables);

    // Scans the token at the cursor, makes it the current token, moves the cursor behind it and
    // returns the kind that was current before. On a scanning error it records the error instead
    // and leaves the cursor at the start of the offending token; check Failed().
    TokenKind NextToken();

    TokenKind Token() const { return m_token; }
    // The value of the current TokNumber; cleared (kind None) at the end of the text.
    const CalcValue& Literal() const { return m_literal; }
    // The table or list position of the current TokFunction, TokConstant or TokVariable.
    int32_t Index() const { return m_index; }
    size_t Cursor() const { return m_cursor; }
    // Where the current token begins; it ends at the cursor.
    size_t TokenStart() const { return m_tokenStart; }
    // The text from the cursor to its end.
    const char* Rest() const { return m_text + m_cursor; }

    bool Failed() const { return m_error.Failed(); }
    const SXError& Error() const { return m_error; }

    // Scans one numeric literal at the cursor (a digit or a point) into value, moves the
    // cursor behind it and returns None; or returns Dot, BadSuffix, ExpectingDigit,
    // InvalidHexa or InvalidBin and leaves the cursor where it was.
    ErrorKind ScanNumber(CalcValue& value);

private:
    // Sets token and index from the identifier at start, or leaves index at -1.
    void ResolveIdentifier(size_t start, size_t length);
    // Records the error for the piece of length bytes at the cursor.
    TokenKind Fail(ErrorKind kind, size_t length, TokenKind previous);

    const char* m_text = "";
    size_t m_cursor = 0;
    size_t m_tokenStart = 0;
    size_t m_failedLength = 0; // of the literal ScanNumber failed on
    TokenKind m_token = TokenKind::TokEnd;
    CalcValue m_literal;
    int32_t m_index = -1;
    const VariableLookup* m_variables = nullptr;
    SXError m_error;
};
