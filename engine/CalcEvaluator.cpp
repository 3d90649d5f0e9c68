// Recursive-descent parser that computes while it parses: each operator is applied as soon
// as its right operand is known. A failure stops the parse and travels back as false.
#include "engine/CalcEvaluator.h"

#include "engine/CalcLibrary.h"

namespace {

// The message of a line that fails for a reason of the program's own, such as nesting too deep.
const char* const kInternalError = "internal err";

// Counts one level of nesting for the lifetime of a recursive step.
class NestingScope {
public:
    explicit NestingScope(int32_t& depth) : m_depth(depth) { ++m_depth; }
    ~NestingScope() { --m_depth; }
    NestingScope(const NestingScope&) = delete;
    NestingScope& operator=(const NestingScope&) = delete;

private:
    int32_t& m_depth;
};

} // namespace

EvalStatus CalcEvaluator::Evaluate(const std::string& line, CalcValue& result) {
    m_tokenizer.Start(line.c_str(), m_variables);
    m_nesting = 0;
    m_error = SXError{};
    m_errorText.clear();

    try {
        if (Next()) {
            if (m_tokenizer.Token() == TokenKind::TokComment) {
                return EvalStatus::CommentLine;
            }
            if (ParseExpression(result) && m_tokenizer.Token() != TokenKind::TokEnd &&
                m_tokenizer.Token() != TokenKind::TokComment) {
                Fail("expr incomplete");
            }
        }
        if (!m_error.Failed()) {
            return EvalStatus::Evaluated;
        }
        m_errorText = m_error.Message();
    } catch (...) {
        m_errorText = kInternalError; // out of memory
    }
    return EvalStatus::Failed;
}

bool CalcEvaluator::Next() {
    m_tokenizer.NextToken();
    if (m_tokenizer.Failed()) {
        m_error = m_tokenizer.Error();
        return false;
    }
    return true;
}

bool CalcEvaluator::Fail(const char* text) {
    m_error = SXError{text, m_tokenizer.Rest()};
    return false;
}

bool CalcEvaluator::FailInternal() {
    m_error = SXError{kInternalError, nullptr};
    return false;
}

// False (failing the line) when one more level would nest deeper than kMaxNesting.
bool CalcEvaluator::Enter() {
    return m_nesting < kMaxNesting || FailInternal();
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
bool CalcEvaluator::ParseBinary(CalcValue& result, int minLevel) {
    if (!ParsePrefix(result)) {
        return false;
    }
    for (int level; (level = BinaryLevel(m_tokenizer.Token())) >= minLevel;) {
        const TokenKind op = m_tokenizer.Token();
        CalcValue right;
        // Tighter operators take the right operand first.
        if (!Next() || !ParseBinary(right, level + 1) || !ApplyBinary(op, result, right)) {
            return false;
        }
    }
    return true;
}

bool CalcEvaluator::ApplyBinary(TokenKind op, CalcValue& left, const CalcValue& right) {
    switch (op) {
    case TokenKind::TokAnd:
        BitAnd(left, right);
        break;
    case TokenKind::TokOr:
        BitOr(left, right);
        break;
    case TokenKind::TokXor:
        BitXor(left, right);
        break;
    case TokenKind::TokShiftLeft:
        ShiftLeft(left, right);
        break;
    case TokenKind::TokShiftRight:
        ShiftRight(left, right);
        break;
    case TokenKind::TokPlus:
        Add(left, right);
        break;
    case TokenKind::TokMinus:
        Subtract(left, right);
        break;
    case TokenKind::TokStar:
        Multiply(left, right);
        break;
    case TokenKind::TokSlash:
        if (IsZeroDivisor(right)) {
            return Fail("div by 0");
        }
        Divide(left, right);
        break;
    case TokenKind::TokPercent:
        if (IsZeroDivisor(right)) {
            return Fail("div by 0");
        }
        // A real divisor strictly between -1 and 1 passes the zero test but converts to 0.
        if (ToInteger(right) == 0) {
            return FailInternal();
        }
        Remainder(left, right);
        break;
    default:
        Power(left, right);
        break;
    }
    return true;
}

// Prefix -, + and ~, which repeat and bind tighter than ^ (-2^2 is 4).
bool CalcEvaluator::ParsePrefix(CalcValue& result) {
    const TokenKind op = m_tokenizer.Token();
    if (op != TokenKind::TokMinus && op != TokenKind::TokPlus && op != TokenKind::TokTilde) {
        return ParseOperand(result);
    }
    if (!Enter()) {
        return false;
    }
    NestingScope scope(m_nesting);
    if (!Next() || !ParsePrefix(result)) {
        return false;
    }
    if (op == TokenKind::TokMinus) {
        Negate(result);
    } else if (op == TokenKind::TokTilde) {
        Complement(result);
    }
    return true;
}

// An operand: a parenthesised expression, a call, a constant, a variable or a literal.
bool CalcEvaluator::ParseOperand(CalcValue& result) {
    switch (m_tokenizer.Token()) {
    case TokenKind::TokOpen: {
        if (!Enter()) {
            return false;
        }
        NestingScope scope(m_nesting);
        if (!Next() || !ParseExpression(result)) {
            return false;
        }
        if (m_tokenizer.Token() != TokenKind::TokClose) {
            return Fail("missing )");
        }
        return Next();
    }
    case TokenKind::TokFunction:
        return ParseCall(result);
    case TokenKind::TokConstant:
        result = GetConstant(m_tokenizer.Index()).value;
        return Next();
    case TokenKind::TokVariable:
        result = m_variables->GetVariable(m_tokenizer.Index());
        return Next();
    case TokenKind::TokNumber:
        result = m_tokenizer.Literal();
        return Next();
    default:
        return Fail("err");
    }
}

// name ( [param {[,] param}] [,] ): up to ten parameters; the comma between them is taken
// when present but not demanded.
bool CalcEvaluator::ParseCall(CalcValue& result) {
    if (!Enter()) {
        return false;
    }
    NestingScope scope(m_nesting);
    const CalcFunction& function = GetFunction(m_tokenizer.Index());
    CalcValue params[kMaxParams];

    if (!Next()) {
        return false;
    }
    if (m_tokenizer.Token() != TokenKind::TokOpen) {
        return Fail("expecting (");
    }
    if (!Next()) {
        return false;
    }

    int32_t count = 0;
    if (m_tokenizer.Token() != TokenKind::TokClose) {
        do {
            if (count == kMaxParams) {
                return Fail("too many params");
            }
            if (!ParseExpression(params[count])) {
                return false;
            }
            ++count;
            if (m_tokenizer.Token() == TokenKind::TokComma && !Next()) {
                return false;
            }
        } while (m_tokenizer.Token() != TokenKind::TokClose);
    }
    if (count < function.minimum) {
        return Fail("missing param");
    }
    if (const char* error = function.handler(result, params, count)) {
        if (*error != '\0') {
            return Fail(error);
        }
    }
    return Next();
}
