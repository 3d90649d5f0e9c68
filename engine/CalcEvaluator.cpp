// Recursive-descent parser that computes while it parses: each operator is applied as soon
// as its right operand is known.
#include "engine/CalcEvaluator.h"
#include "engine/CalcLibrary.h"
#include "engine/SXError.h"
#include "worksheet/VariableList.h"

#include <stdexcept>

namespace {

// Not an SXError: a line nested too deeply fails through the catch-all ("internal err").
struct NestingTooDeep : std::runtime_error {
    NestingTooDeep() : std::runtime_error("nesting too deep") {}
};

// Counts one level of nesting for the lifetime of a recursive step.
class NestingScope {
public:
    NestingScope(int32_t& depth, int32_t limit) : m_depth(depth) {
        if (depth >= limit) {
            throw NestingTooDeep();
        }
        ++m_depth;
    }
    ~NestingScope() { --m_depth; }
    NestingScope(const NestingScope&) = delete;
    NestingScope& operator=(const NestingScope&) = delete;

private:
    int32_t& m_depth;
};

} // namespace

EvalStatus CalcEvaluator::Evaluate(const std::string& line, CalcValue& result) {
    // The line ends at its first zero byte, like the text the cursor walks.
    m_text.assign(line.c_str());
    m_cursor = 0;
    m_token = TokenKind::TokEnd;
    m_literal = CalcValue{};
    m_index = -1;
    m_nesting = 0;
    m_errorText.clear();

    try {
        NextToken();
        if (m_token == TokenKind::TokComment) {
            return EvalStatus::CommentLine;
        }
        ParseBitwise(result);
        if (m_token != TokenKind::TokEnd && m_token != TokenKind::TokComment) {
            Raise("expr incomplete");
        }
        return EvalStatus::Evaluated;
    } catch (const SXError& error) {
        m_errorText = error.message;
    } catch (...) {
        m_errorText = "internal err";
    }
    return EvalStatus::Failed;
}

// Level 1: &, | and ^^, all of equal rank.
void CalcEvaluator::ParseBitwise(CalcValue& result) {
    ParseShift(result);
    while (m_token == TokenKind::TokAnd || m_token == TokenKind::TokOr ||
           m_token == TokenKind::TokXor) {
        const TokenKind op = NextToken();
        CalcValue right;
        ParseShift(right);
        if (op == TokenKind::TokAnd) {
            BitAnd(result, right);
        } else if (op == TokenKind::TokOr) {
            BitOr(result, right);
        } else {
            BitXor(result, right);
        }
    }
}

// Level 2: << and >>.
void CalcEvaluator::ParseShift(CalcValue& result) {
    ParseSum(result);
    while (m_token == TokenKind::TokShiftLeft || m_token == TokenKind::TokShiftRight) {
        const TokenKind op = NextToken();
        CalcValue right;
        ParseSum(right);
        if (op == TokenKind::TokShiftLeft) {
            ShiftLeft(result, right);
        } else {
            ShiftRight(result, right);
        }
    }
}

// Level 3: + and -.
void CalcEvaluator::ParseSum(CalcValue& result) {
    ParseProduct(result);
    while (m_token == TokenKind::TokPlus || m_token == TokenKind::TokMinus) {
        const TokenKind op = NextToken();
        CalcValue right;
        ParseProduct(right);
        if (op == TokenKind::TokPlus) {
            Add(result, right);
        } else {
            Subtract(result, right);
        }
    }
}

// Level 4: *, / and %; the divisor of / and % is tested before the operation.
void CalcEvaluator::ParseProduct(CalcValue& result) {
    ParsePower(result);
    while (m_token == TokenKind::TokStar || m_token == TokenKind::TokSlash ||
           m_token == TokenKind::TokPercent) {
        const TokenKind op = NextToken();
        CalcValue right;
        ParsePower(right);
        if (op == TokenKind::TokStar) {
            Multiply(result, right);
            continue;
        }
        if (IsZeroDivisor(right)) {
            Raise("div by 0");
        }
        if (op == TokenKind::TokSlash) {
            Divide(result, right);
        } else {
            Remainder(result, right);
        }
    }
}

// Level 5: ^, grouped from left to right like every other level (2^3^2 is 64).
void CalcEvaluator::ParsePower(CalcValue& result) {
    ParsePrefix(result);
    while (m_token == TokenKind::TokPower) {
        NextToken();
        CalcValue right;
        ParsePrefix(right);
        Power(result, right);
    }
}

// Level 6: prefix -, + and ~, which repeat and bind tighter than ^ (-2^2 is 4).
void CalcEvaluator::ParsePrefix(CalcValue& result) {
    if (m_token != TokenKind::TokMinus && m_token != TokenKind::TokPlus &&
        m_token != TokenKind::TokTilde) {
        ParseOperand(result);
        return;
    }
    NestingScope scope(m_nesting, kMaxNesting);
    const TokenKind op = NextToken();
    ParsePrefix(result);
    if (op == TokenKind::TokMinus) {
        Negate(result);
    } else if (op == TokenKind::TokTilde) {
        Complement(result);
    }
}

// Level 7: a parenthesised expression, a call, a constant, a variable or a literal.
void CalcEvaluator::ParseOperand(CalcValue& result) {
    switch (m_token) {
    case TokenKind::TokOpen: {
        NestingScope scope(m_nesting, kMaxNesting);
        NextToken();
        ParseBitwise(result);
        if (m_token != TokenKind::TokClose) {
            Raise("missing )");
        }
        NextToken();
        return;
    }
    case TokenKind::TokFunction:
        ParseCall(result);
        return;
    case TokenKind::TokConstant:
        result = GetConstant(m_index).value;
        NextToken();
        return;
    case TokenKind::TokVariable:
        result = m_variables->GetVariable(m_index);
        NextToken();
        return;
    case TokenKind::TokNumber:
        result = m_literal;
        NextToken();
        return;
    default:
        Raise("err");
    }
}

// name ( [param {[,] param}] [,] ): up to ten parameters; the comma between them is taken
// when present but not demanded.
void CalcEvaluator::ParseCall(CalcValue& result) {
    NestingScope scope(m_nesting, kMaxNesting);
    const CalcFunction& function = GetFunction(m_index);
    CalcValue params[kMaxParams];

    NextToken();
    if (m_token != TokenKind::TokOpen) {
        Raise("expecting (");
    }
    NextToken();

    int32_t count = 0;
    if (m_token != TokenKind::TokClose) {
        do {
            if (count == kMaxParams) {
                Raise("too many params");
            }
            ParseBitwise(params[count]);
            ++count;
            if (m_token == TokenKind::TokComma) {
                NextToken();
            }
        } while (m_token != TokenKind::TokClose);
    }
    if (count < function.minimum) {
        Raise("missing param");
    }
    if (const char* error = function.handler(result, params, count)) {
        if (*error != '\0') {
            Raise(error);
        }
    }
    NextToken();
}
