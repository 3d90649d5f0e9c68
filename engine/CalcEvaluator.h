#pragma once

#include "engine/CalcValue.h"
#include "engine/EvalStatus.h"
#include "engine/SXError.h"
#include "engine/TokenKind.h"
#include "engine/Tokenizer.h"
#include "engine/VariableLookup.h"

#include <cstdint>
#include <string>

// Evaluates one line of expression text (spaces already removed) to one CalcValue.
// Attach the variables, Evaluate, read; Evaluate starts afresh each time, so one evaluator
// may serve many lines.
class CalcEvaluator {
public:
    // Deepest nesting of parentheses, prefix operators and function calls together; a line
    // nested deeper fails with "internal err" instead of exhausting the stack. At this depth
    // the stack-hungriest line (1^sin(1^sin(...) takes about 0.14 MiB of stack in a release
    // build and 0.6 MiB in an unoptimised AddressSanitizer build, so a 1 MiB thread is enough.
    static constexpr int32_t kMaxNesting = 256;

    void SetVariables(const VariableLookup* variables) { m_variables = variables; }
    // The line ends at its first zero byte.
    EvalStatus Evaluate(const std::string& line, CalcValue& result);
    // Empty unless Evaluate returned Failed; then the message, e.g. "div by 0 '5'".
    const std::string& ErrorText() const { return m_errorText; }
    // Kind None unless Evaluate returned Failed; then what went wrong and where, as data.
    const ErrorDetail& Error() const { return m_detail; }

private:
    // Each step returns false once the line has failed; the error is then in m_error.
    bool Next();
    // Fails the line at the current token, at the piece [start, end), or for a call.
    bool Fail(ErrorKind kind);
    bool FailAt(ErrorKind kind, size_t start, size_t end);
    bool FailCall(ErrorKind kind, size_t start, int32_t function, int32_t given);
    bool FailInternal(ErrorKind kind, size_t start, size_t end);

    bool ParseExpression(CalcValue& result) { return ParseBinary(result, 1); }
    static int BinaryLevel(TokenKind token);
    bool ParseBinary(CalcValue& result, int minLevel);
    bool ApplyBinary(TokenKind op, size_t opStart, CalcValue& left, const CalcValue& right);
    bool ParsePrefix(CalcValue& result);
    bool ParseOperand(CalcValue& result);
    bool ParseCall(CalcValue& result);
    bool Enter();

    Tokenizer m_tokenizer;
    const VariableLookup* m_variables = nullptr;
    SXError m_error;
    std::string m_errorText;
    ErrorDetail m_detail;
    int32_t m_nesting = 0;
};
