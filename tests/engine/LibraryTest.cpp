#include "EvalTestSupport.h"

#include "engine/CalcLibrary.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

class LibraryLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(LibraryLines, Outcome) {
    ExpectLine(GetParam().line, GetParam().expect);
}

INSTANTIATE_TEST_SUITE_P(
    Functions, LibraryLines,
    ::testing::Values(
        LineCase{"sin(pi)", Expect::Real(0)}, LineCase{"cos(pi/2)", Expect::Real(0)},
        LineCase{"cos(0x0)", Expect::Real(1)}, LineCase{"sin(1e-20)", Expect::Real(0)},
        LineCase{"atan(1)*4", Expect::Real(3.141592653589793)},
        LineCase{"asin(2)", Expect::Real(kNaN)}, LineCase{"acos(-1.5)", Expect::Real(kNaN)},
        LineCase{"acos(1)", Expect::Real(0)}, LineCase{"sqrt(-1)", Expect::Real(kNaN)},
        LineCase{"ln(0)", Expect::Real(-kInf)}, LineCase{"log(0)", Expect::Real(-kInf)},
        LineCase{"ln(-1)", Expect::Real(kNaN)}, LineCase{"log(1000)", Expect::Real(3)},
        LineCase{"exp(0)", Expect::Real(1)}, LineCase{"exp(1000)", Expect::Real(kInf)},
        LineCase{"ln(1)", Expect::Real(0)}, LineCase{"ln(e)", Expect::Real(1)},
        LineCase{"root(16)", Expect::Real(4)}, LineCase{"sqrt(16)", Expect::Real(4)},
        LineCase{"sqrt(0x10)", Expect::Real(4)},
        LineCase{"pow(2,0.5)", Expect::Real(1.4142135623730951)},
        LineCase{"pow(0x2,0xA)", Expect::Real(1024)}, LineCase{"pow(-2,3)", Expect::Real(-8)},
        LineCase{"pow(0,-1)", Expect::Real(kInf)}, LineCase{"pow(-8,1/3)", Expect::Real(kNaN)},
        LineCase{"sec(0)", Expect::Real(1)}, LineCase{"csc(pi/2)", Expect::Real(1)},
        // pi/4's double lies 3e-17 below pi/4: cot is 1 + 6e-17, which rounds to 1.
        LineCase{"cot(pi/4)", Expect::Real(1)}, LineCase{"tan(0)", Expect::Real(0)}));

INSTANTIATE_TEST_SUITE_P(
    Failures, LibraryLines,
    ::testing::Values(LineCase{"tan(pi/2)", Expect::Fails("undefined ''")},
                      LineCase{"cot(0)", Expect::Fails("undefined ''")},
                      LineCase{"csc(0)", Expect::Fails("undefined ''")},
                      LineCase{"sec(pi/2)", Expect::Fails("undefined ''")},
                      LineCase{"cot(pi)", Expect::Fails("undefined ''")},
                      LineCase{"sqrt(1,2)", Expect::Fails("fact expect 1 param ''")},
                      LineCase{"Sin(1)", Expect::Fails("unknown const 'Sin(1)'")},
                      LineCase{"PI", Expect::Fails("unknown const 'PI'")},
                      LineCase{"sinh(1)", Expect::Fails("unknown const 'sinh(1)'")}));

// tan and its kin keep tiny results: tan(pi) is about -1.2e-16, not 0.
TEST(Library, TanKeepsTinyResult) {
    CalcEvaluator evaluator;
    CalcValue result;
    ASSERT_EQ(evaluator.Evaluate("tan(pi)", result), EvalStatus::Evaluated);
    ASSERT_EQ(result.kind, ValueKind::Real);
    EXPECT_LT(result.real, -1e-16);
    EXPECT_GT(result.real, -1.5e-16);
}

// Cleaned results are positive zero, also for a tiny negative sine.
TEST(Library, CleanedZeroIsPositive) {
    for (const char* line : {"sin(-1e-20)", "sin(-pi)", "atan(-1e-300)"}) {
        CalcEvaluator evaluator;
        CalcValue result;
        ASSERT_EQ(evaluator.Evaluate(line, result), EvalStatus::Evaluated) << line;
        EXPECT_EQ(result.real, 0.0) << line;
        EXPECT_FALSE(std::signbit(result.real)) << line;
    }
}

TEST(Library, NearZeroBounds) {
    EXPECT_TRUE(IsNearZero(1e-15));
    EXPECT_TRUE(IsNearZero(-1e-15));
    EXPECT_TRUE(IsNearZero(0.0));
    EXPECT_FALSE(IsNearZero(std::nextafter(1e-15, 1.0)));
    EXPECT_FALSE(IsNearZero(std::nextafter(-1e-15, -1.0)));
    EXPECT_FALSE(IsNearZero(-2e-15));
    EXPECT_FALSE(IsNearZero(kNaN));
}

TEST(Library, TablesInLookupOrder) {
    const char* names[] = {"sin",  "cos", "tan", "cot", "sec",  "csc",  "asin", "acos",
                           "atan", "ln",  "log", "exp", "sqrt", "root", "pow"};
    ASSERT_EQ(FunctionCount(), 15);
    for (int32_t i = 0; i < FunctionCount(); ++i) {
        EXPECT_STREQ(GetFunction(i).name, names[i]);
        EXPECT_EQ(FindFunction(names[i], std::strlen(names[i])), i);
        EXPECT_EQ(GetFunction(i).minimum, std::strcmp(names[i], "pow") == 0 ? 2 : 1);
    }
    EXPECT_EQ(GetFunction(12).handler, GetFunction(13).handler); // root is sqrt
    EXPECT_EQ(FindFunction("sinx", 3), 0);                       // length decides
    EXPECT_EQ(FindFunction("si", 2), -1);
    EXPECT_EQ(FindFunction("SIN", 3), -1);

    ASSERT_EQ(ConstantCount(), 2);
    EXPECT_EQ(FindConstant("pi", 2), 0);
    EXPECT_EQ(FindConstant("e", 1), 1);
    EXPECT_EQ(FindConstant("E", 1), -1);
    uint64_t bits = 0;
    std::memcpy(&bits, &GetConstant(0).value.real, sizeof bits);
    EXPECT_EQ(bits, 0x400921FB54442D18u);
    std::memcpy(&bits, &GetConstant(1).value.real, sizeof bits);
    EXPECT_EQ(bits, 0x4005BF0A8B145769u);
    EXPECT_EQ(GetConstant(0).value.kind, ValueKind::Real);
}

// A handler that fails leaves the result untouched.
TEST(Library, FailingHandlerLeavesResult) {
    CalcValue params[kMaxParams];
    params[0] = CalcValue::MakeReal(0.0);
    CalcValue result = CalcValue::MakeInteger(9);
    EXPECT_EQ(GetFunction(FindFunction("cot", 3)).handler(result, params, 1), ErrorKind::Undefined);
    EXPECT_EQ(result.kind, ValueKind::Integer);
    EXPECT_EQ(result.integer, 9);
}

} // namespace
