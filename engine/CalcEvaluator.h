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
    // nested deeper fails with "internal err" instead of exhausting the stack.
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

    // Grammar levels, loosest binding first (CalcEvaluator.cpp).
    void ParseBitwise(CalcValue& result);
    void ParseShift(CalcValue& result);
    void ParseSum(CalcValue& result);
    void ParseProduct(CalcValue& result);
    void ParsePower(CalcValue& result);
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
