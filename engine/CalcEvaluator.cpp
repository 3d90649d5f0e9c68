// Recursive-descent parser that computes while it parses: each operator is applied as soon
// as its right operand is known. A failure stops the parse and travels back as false.
#include "engine/CalcEvaluator.h"

#include "engine/CalcLibrary.h"

namespace {

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
    m_detail = ErrorDetail{};

    try {
        if (Next()) {
            if (m_tokenizer.Token() == TokenKind::TokComment) {
                return EvalStatus::CommentLine;
            }
            if (ParseExpression(result) && m_tokenizer.Token() != TokenKind::TokEnd &&
                m_tokenizer.Token() != TokenKind::TokComment) {
                Fail(ErrorKind::ExprIncomplete);
            }
        }
        if (!m_error.Failed()) {
            return EvalStatus::Evaluated;
        }
        m_errorText = m_error.Message();
        m_detail = m_error.detail;
    } catch (...) {
        m_detail = ErrorDetail{};
        m_detail.kind = ErrorKind::OutOfMemory;
        m_errorText = ErrorKindText(m_detail.kind);
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

bool CalcEvaluator::Fail(ErrorKind kind) {
    return FailAt(kind, m_tokenizer.TokenStart(), m_tokenizer.Cursor());
}

bool CalcEvaluator::FailAt(ErrorKind kind, size_t start, size_t end) {
    m_error = SXError{};
    m_error.detail.kind = kind;
    m_error.detail.position = start;
    m_error.detail.length = end - start;
    m_error.rest = m_tokenizer.Rest();
    return false;
}

bool CalcEvaluator::FailCall(ErrorKind kind, size_t start, int32_t function, int32_t given) {
    FailAt(kind, start, m_tokenizer.Cursor());
    m_error.detail.function = function;
    m_error.detail.given = given;
    return false;
}

// "internal err" quotes no rest of the line.
bool CalcEvaluator::FailInternal(ErrorKind kind, size_t start, size_t end) {
    FailAt(kind, start, end);
    m_error.rest = nullptr;
    return false;
}

// False (failing the line) when one more level would nest deeper than kMaxNesting.
bool CalcEvaluator::Enter() {
    return m_nesting < kMaxNesting ||
           FailInternal(ErrorKind::NestedTooDeep, m_tokenizer.TokenStart(), m_tokenizer.Cursor());
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
        const size_t opStart = m_tokenizer.TokenStart();
        CalcValue right;
        // Tighter operators take the right operand first.
        if (!Next() || !ParseBinary(right, level + 1) || !ApplyBinary(op, opStart, result, right)) {
            return false;
        }
    }
    return true;
}

// opStart: where the operator stands in the line, the place of its errors.
bool CalcEvaluator::ApplyBinary(TokenKind op, size_t opStart, CalcValue& left,
                                const CalcValue& right) {
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
            return FailAt(ErrorKind::DivByZero, opStart, opStart + 1);
        }
        Divide(left, right);
        break;
    case TokenKind::TokPercent:
        if (IsZeroDivisor(right)) {
            return FailAt(ErrorKind::DivByZero, opStart, opStart + 1);
        }
        // A real divisor strictly between -1 and 1 passes the zero test but converts to 0.
        if (ToInteger(right) == 0) {
            return FailInternal(ErrorKind::RemainderBelowOne, opStart, opStart + 1);
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
            return Fail(ErrorKind::MissingClose);
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
        return Fail(ErrorKind::Err);
    }
}

// name ( [param {[,] param}] [,] ): up to ten parameters; the comma between them is taken
// when present but not demanded.
bool CalcEvaluator::ParseCall(CalcValue& result) {
    if (!Enter()) {
        return false;
    }
    NestingScope scope(m_nesting);
    const int32_t index = m_tokenizer.Index();
    const CalcFunction& function = GetFunction(index);
    const size_t callStart = m_tokenizer.TokenStart();
    CalcValue params[kMaxParams];

    if (!Next()) {
        return false;
    }
    if (m_tokenizer.Token() != TokenKind::TokOpen) {
        return FailCall(ErrorKind::ExpectingOpen, m_tokenizer.TokenStart(), index, 0);
    }
    if (!Next()) {
        return false;
    }

    int32_t count = 0;
    if (m_tokenizer.Token() != TokenKind::TokClose) {
        do {
            if (count == kMaxParams) {
                return FailCall(ErrorKind::TooManyParams, m_tokenizer.TokenStart(), index, count);
            }
            // A line that ends among the values fails as any missing operand does ("err"),
            // with the call it leaves open as its detail.
            const TokenKind next = m_tokenizer.Token();
            if (count > 0 && (next == TokenKind::TokEnd || next == TokenKind::TokComment)) {
                return FailCall(ErrorKind::Err, m_tokenizer.TokenStart(), index, count);
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
    // The errors of the call as a whole have the whole call as their place.
    if (count < function.minimum) {
        return FailCall(ErrorKind::MissingParam, callStart, index, count);
    }
    if (const ErrorKind error = function.handler(result, params, count); error != ErrorKind::None) {
        return FailCall(error, callStart, index, count);
    }
    return Next();
}
