#pragma once

#include "engine/CalcValue.h"
#include "engine/EvalStatus.h"
#include "engine/TokenKind.h"

#include <cstddef>
#include <cstdint>
#include <string>

class VariableList;

// Evaluates one line of expression text (spaces already removed) to one CalcValue.
// One evaluator per line: create, attach the variables, Evaluate once, read, discard.
class CalcEvaluator {
public:
    // Deepest nesting of parentheses, prefix operators and function calls together; a line
    // nested deeper fails with "internal err" instead of exhausting the stack. At this depth
    // the stack-hungriest line (1^sin(1^sin(...) takes about 0.14 MiB of stack in a release
    // build and 0.6 MiB in an unoptimised AddressSanitizer build, so a 1 MiB thread is enough.
    static constexpr int32_t kMaxNesting = 256;

    void SetVariables(const VariableList* variables) { m_variables = variables; }
    EvalStatus Evaluate(const std::string& line, CalcValue& result);
    // Empty unless Evaluate returned Failed; then the message, e.g. "div by 0 '5'".
    const std::string& ErrorText() const { return m_errorText; }

private:
    friend class TokenizerProbe; // tests step the tokenizer directly

    // Tokenizer (Tokenizer.cpp).
    TokenKind NextToken();
    const char* ScanNumber(CalcValue& value);
    void ResolveIdentifier(size_t start, size_t length);
    // Throws SXError "<text> '<rest of the line from the cursor>'".
    [[noreturn]] void Raise(const char* text) const;

    // Parser (CalcEvaluator.cpp).
    void ParseExpression(CalcValue& result) { ParseBinary(result, 1); }
    static int BinaryLevel(TokenKind token);
    void ParseBinary(CalcValue& result, int minLevel);
    void ApplyBinary(TokenKind op, CalcValue& left, const CalcValue& right) const;
    void ParsePrefix(CalcValue& result);
    void ParseOperand(CalcValue& result);
    void ParseCall(CalcValue& result);

    // Scanner fields.
    std::string m_text;
    size_t m_cursor = 0;
    TokenKind m_token = TokenKind::TokEnd;
    CalcValue m_literal;
    int32_t m_index = -1;

    const VariableList* m_variables = nullptr;
    std::string m_errorText;
    int32_t m_nesting = 0;
};
