#include "EvalTestSupport.h"

#include "engine/CalcLibrary.h"

#include <limits>
#include <string>

namespace {

constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
constexpr int64_t kMax = std::numeric_limits<int64_t>::max();

class EvaluatorLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(EvaluatorLines, Outcome) {
    ExpectLine(GetParam().line, GetParam().expect);
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, EvaluatorLines,
    ::testing::Values(LineCase{"1+2*3", Expect::Real(7)}, LineCase{"2^3^2", Expect::Real(64)},
                      LineCase{"-2^2", Expect::Real(4)}, LineCase{"2^-1", Expect::Real(0.5)},
                      LineCase{"7/2", Expect::Real(3.5)}, LineCase{"0x7/0x2", Expect::Int(3)},
                      LineCase{"0x10+1", Expect::Real(17)}, LineCase{"1+2<<1", Expect::Int(6)},
                      LineCase{"7%2.5", Expect::Int(1)}, LineCase{"4|1&2", Expect::Int(0)},
                      LineCase{"6^^3|8", Expect::Int(13)}, LineCase{"10-4-3", Expect::Real(3)},
                      LineCase{"64/4/2", Expect::Real(8)}, LineCase{"(1+2)*3", Expect::Real(9)},
                      LineCase{"--5", Expect::Real(5)}, LineCase{"-~5", Expect::Int(6)},
                      LineCase{"+-+5", Expect::Real(-5)}, LineCase{"~0x0", Expect::Int(-1)},
                      LineCase{"1<<3+1", Expect::Int(16)}, LineCase{"-0x8>>1", Expect::Int(-4)},
                      LineCase{"sin(1,)", Expect::Real(0.8414709848078965)},
                      LineCase{"pow(2(3))", Expect::Real(8)},
                      LineCase{"pow(2,3,)", Expect::Real(8)},
                      LineCase{"pi", Expect::Real(3.141592653589793)},
                      LineCase{"2*e", Expect::Real(2 * 2.718281828459045)}));

INSTANTIATE_TEST_SUITE_P(IntegerWrapping, EvaluatorLines,
                         ::testing::Values(LineCase{"-0x8000000000000000", Expect::Int(kMin)},
                                           LineCase{"0x8000000000000000/-0x1", Expect::Int(kMin)},
                                           LineCase{"0x8000000000000000%-0x1", Expect::Int(0)},
                                           LineCase{"~1e30", Expect::Int(kMax)},
                                           LineCase{"0x1<<256", Expect::Int(1)}));

INSTANTIATE_TEST_SUITE_P(Comments, EvaluatorLines,
                         ::testing::Values(LineCase{"1+2//note", Expect::Real(3)},
                                           LineCase{"//note", Expect::Comment()},
                                           LineCase{"//", Expect::Comment()},
                                           LineCase{"//1/0=$", Expect::Comment()},
                                           LineCase{"1+//x", Expect::Fails("err ''")}));

INSTANTIATE_TEST_SUITE_P(
    Failures, EvaluatorLines,
    ::testing::Values(
        LineCase{"1/0", Expect::Fails("div by 0 ''")},
        LineCase{"1/0+5", Expect::Fails("div by 0 '5'")},
        LineCase{"1/-0.0", Expect::Fails("div by 0 ''")},
        LineCase{"5%0x0", Expect::Fails("div by 0 ''")},
        LineCase{"1/sqrt(-1)*2", Expect::Fails("div by 0 '2'")},
        LineCase{"5%0.5", Expect::Fails("internal err")},
        LineCase{"5%-0.25+1", Expect::Fails("internal err")},
        LineCase{"(1+2", Expect::Fails("missing ) ''")},
        LineCase{"(1+2(", Expect::Fails("missing ) ''")}, LineCase{"1+", Expect::Fails("err ''")},
        LineCase{"*2", Expect::Fails("err '2'")}, LineCase{"()", Expect::Fails("err ''")},
        LineCase{"<2", Expect::Fails("err '2'")},
        LineCase{"1(2)", Expect::Fails("expr incomplete '2)'")},
        LineCase{"pi(2)", Expect::Fails("expr incomplete '2)'")},
        LineCase{"1>2", Expect::Fails("expr incomplete '2'")},
        LineCase{"1><2", Expect::Fails("expr incomplete '<2'")},
        LineCase{"1)", Expect::Fails("expr incomplete ''")},
        LineCase{"1.5.3", Expect::Fails("expr incomplete ''")},
        LineCase{"sin+1", Expect::Fails("expecting ( '1'")},
        LineCase{"sin", Expect::Fails("expecting ( ''")},
        LineCase{"sin()", Expect::Fails("missing param ''")},
        LineCase{"sin(1,2)", Expect::Fails("fact expect 1 param ''")},
        LineCase{"pow(2)", Expect::Fails("missing param ''")},
        LineCase{"pow(2,3,4)", Expect::Fails("fact expect 2 params ''")},
        LineCase{"sin(1", Expect::Fails("err ''")}, LineCase{"sin(1,", Expect::Fails("err ''")},
        LineCase{"sin(0,0,0,0,0,0,0,0,0,0)", Expect::Fails("fact expect 1 param ''")},
        LineCase{"sin(0,0,0,0,0,0,0,0,0,0,0)", Expect::Fails("too many params ')'")},
        LineCase{"sin(0,0,0,0,0,0,0,0,0,0,)", Expect::Fails("fact expect 1 param ''")},
        LineCase{"", Expect::Fails("err ''")},
        LineCase{"12a+1", Expect::Fails("bad suffix '12a+1'")},
        LineCase{"3=5", Expect::Fails("invalid tok '=5'")},
        LineCase{"2*foo", Expect::Fails("unknown const 'foo'")},
        LineCase{"tan(pi/2)+1", Expect::Fails("undefined '+1'")}));

// The line is a zero-terminated text: whatever follows an embedded zero byte is not seen.
TEST(Evaluator, LineEndsAtZeroByte) {
    ExpectLine(std::string("1+2\0+$", 6), Expect::Real(3));
    ExpectLine(std::string("1+\0"
                           "2",
                           4),
               Expect::Fails("err ''"));
}

TEST(Evaluator, VariablesAreReadByName) {
    TestVariables variables;
    variables.Set("x", CalcValue::MakeInteger(4));
    variables.Set("rate_2", CalcValue::MakeReal(0.5));
    variables.Set("sin", CalcValue::MakeInteger(1)); // shadowed by the function
    variables.Set("pi", CalcValue::MakeInteger(3));  // shadowed by the constant
    const LineCase cases[] = {
        {"x*2", Expect::Real(8)},
        {"x*0x2", Expect::Int(8)},
        {"x+rate_2", Expect::Real(4.5)},
        {"x<<x", Expect::Int(64)},
        {"pi", Expect::Real(3.141592653589793)},
        {"sin", Expect::Fails("expecting ( ''")},
        {"X", Expect::Fails("unknown const 'X'")},
        {"x2", Expect::Fails("unknown const 'x2'")},
    };
    for (const LineCase& c : cases) {
        ExpectLine(c.line, c.expect, &variables);
    }
    ExpectLine("x", Expect::Fails("unknown const 'x'")); // no list attached
}

TEST(Evaluator, StatusAndErrorTextAfterReuse) {
    CalcEvaluator evaluator;
    CalcValue result;
    EXPECT_EQ(evaluator.Evaluate("1/0", result), EvalStatus::Failed);
    EXPECT_EQ(evaluator.ErrorText(), "div by 0 ''");
    EXPECT_EQ(evaluator.Evaluate("2+2", result), EvalStatus::Evaluated);
    EXPECT_EQ(evaluator.ErrorText(), "");
    EXPECT_EQ(result.real, 4.0);
}

// The error as data: the piece of the line where evaluation stopped (the current token, the
// operator that divides, the whole call that fails, the literal the scanner rejects) and,
// for a call, the function and the values given.
TEST(Evaluator, ErrorDetailNamesThePlace) {
    struct DetailCase {
        std::string line;
        ErrorKind kind;
        size_t position;
        size_t length;
        int32_t function;
        int32_t given;
    };
    const int32_t pow = FindFunction("pow", 3);
    const DetailCase cases[] = {
        {"1+", ErrorKind::Err, 2, 0, -1, 0},
        {"2**3", ErrorKind::Err, 2, 1, -1, 0},
        {"(1//c", ErrorKind::MissingClose, 2, 3, -1, 0},
        {"1+1.5e", ErrorKind::ExpectingDigit, 2, 4, -1, 0},
        {"1+2q", ErrorKind::BadSuffix, 2, 2, -1, 0},
        {"2*abc+1", ErrorKind::UnknownConst, 2, 3, -1, 0},
        {"9/(1-1)", ErrorKind::DivByZero, 1, 1, -1, 0},
        {"1+pow(1,2,3)*2", ErrorKind::ExpectTwo, 2, 10, pow, 3},
        {"pow+1", ErrorKind::ExpectingOpen, 3, 1, pow, 0},
        {"pow(2,3//c", ErrorKind::Err, 7, 3, pow, 2}, // the open call
        {"3%0.5", ErrorKind::RemainderBelowOne, 1, 1, -1, 0},
    };
    CalcEvaluator evaluator;
    CalcValue result;
    for (const DetailCase& c : cases) {
        SCOPED_TRACE(c.line);
        ASSERT_EQ(evaluator.Evaluate(c.line, result), EvalStatus::Failed);
        EXPECT_EQ(evaluator.Error().kind, c.kind);
        EXPECT_EQ(evaluator.Error().position, c.position);
        EXPECT_EQ(evaluator.Error().length, c.length);
        EXPECT_EQ(evaluator.Error().function, c.function);
        EXPECT_EQ(evaluator.Error().given, c.given);
    }
    EXPECT_EQ(evaluator.Evaluate("1", result), EvalStatus::Evaluated);
    EXPECT_EQ(evaluator.Error().kind, ErrorKind::None);
}

TEST(Evaluator, CommentLeavesResultUntouched) {
    CalcEvaluator evaluator;
    CalcValue result = CalcValue::MakeInteger(77);
    EXPECT_EQ(evaluator.Evaluate("//x", result), EvalStatus::CommentLine);
    EXPECT_EQ(result.kind, ValueKind::Integer);
    EXPECT_EQ(result.integer, 77);
}

} // namespace
