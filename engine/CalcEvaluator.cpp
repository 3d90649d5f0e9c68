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
        ParseExpression(result);
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

// The two-operand operators bind at five levels, loosest first:
//   1: &, | and ^^   2: << and >>   3: + and -   4: *, / and %   5: ^
// Every level groups from left to right, the power operator too (2^3^2 is 64).
int CalcEvaluator::BinaryLevel(TokenKind token) {
    switch (token) {
    case TokenKind::TokAnd:
    case TokenKind::TokOr:
    case TokenKind::TokXor:
        return 1;
    case TokenKind::TokShiftLeft:
    case TokenKind::TokShiftRight:
        return 2;
    case TokenKind::TokPlus:
    case TokenKind::TokMinus:
        return 3;
    case TokenKind::TokStar:
    case TokenKind::TokSlash:
    case TokenKind::TokPercent:
        return 4;
    case TokenKind::TokPower:
        return 5;
    default:
        return 0;
    }
}

// Parses a chain of operators of level minLevel or tighter. One loop serves all five levels
// (rather than one function per level) so that each nested parenthesis costs few stack frames.
void CalcEvaluator::ParseBinary(CalcValue& result, int minLevel) {
    ParsePrefix(result);
    for (int level; (level = BinaryLevel(m_token)) >= minLevel;) {
        const TokenKind op = NextToken();
        CalcValue right;
        ParseBinary(right, level + 1); // tighter operators take the right operand first
        ApplyBinary(op, result, right);
    }
}

void CalcEvaluator::ApplyBinary(TokenKind op, CalcValue& left, const CalcValue& right) const {
    if ((op == TokenKind::TokSlash || op == TokenKind::TokPercent) && IsZeroDivisor(right)) {
        Raise("div by 0");
    }
    switch (op) {
    case TokenKind::TokAnd:
        return BitAnd(left, right);
    case TokenKind::TokOr:
        return BitOr(left, right);
    case TokenKind::TokXor:
        return BitXor(left, right);
    case TokenKind::TokShiftLeft:
        return ShiftLeft(left, right);
    case TokenKind::TokShiftRight:
        return ShiftRight(left, right);
    case TokenKind::TokPlus:
        return Add(left, right);
    case TokenKind::TokMinus:
        return Subtract(left, right);
    case TokenKind::TokStar:
        return Multiply(left, right);
    case TokenKind::TokSlash:
        return Divide(left, right);
    case TokenKind::TokPercent:
        return Remainder(left, right);
    default:
        return Power(left, right);
    }
}

// Prefix -, + and ~, which repeat and bind tighter than ^ (-2^2 is 4).
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

// An operand: a parenthesised expression, a call, a constant, a variable or a literal.
void CalcEvaluator::ParseOperand(CalcValue& result) {
    switch (m_token) {
    case TokenKind::TokOpen: {
        NestingScope scope(m_nesting, kMaxNesting);
        NextToken();
        ParseExpression(result);
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
            ParseExpression(params[count]);
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
