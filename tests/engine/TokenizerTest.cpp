#include "engine/Tokenizer.h"

#include "EvalTestSupport.h"
#include "engine/TokenKind.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

// A tokenizer started on its own copy of the text.
class Scan {
public:
    explicit Scan(std::string text, const VariableLookup* variables = nullptr)
        : m_text(std::move(text)) {
        m_tokenizer.Start(m_text.c_str(), variables);
    }
    // Scans one token and returns the new current kind.
    TokenKind Next() {
        m_tokenizer.NextToken();
        return m_tokenizer.Token();
    }
    Tokenizer& operator*() { return m_tokenizer; }
    Tokenizer* operator->() { return &m_tokenizer; }

private:
    std::string m_text;
    Tokenizer m_tokenizer;
};

using TK = TokenKind;

TokenKind Op(char c) {
    return static_cast<TokenKind>(c);
}

// One scanned token: its kind and, for numbers, the literal.
struct Tok {
    TokenKind kind;
    ValueKind valueKind = ValueKind::None;
    double real = 0.0;
    int64_t integer = 0;
};
Tok Real(double v) {
    return {TK::TokNumber, ValueKind::Real, v, 0};
}
Tok Int(int64_t v) {
    return {TK::TokNumber, ValueKind::Integer, 0.0, v};
}
Tok Kind(TokenKind k) {
    return {k};
}

struct ScanCase {
    std::string text;
    std::vector<Tok> tokens; // up to, not including, TokEnd
};

// Scans the whole text and compares every token; any scanning error fails the case.
void ExpectTokens(const ScanCase& c, const VariableLookup* variables = nullptr) {
    SCOPED_TRACE("text: " + c.text);
    Scan scan(c.text, variables);
    for (const Tok& expected : c.tokens) {
        ASSERT_EQ(static_cast<int>(scan.Next()), static_cast<int>(expected.kind));
        ASSERT_FALSE(scan->Failed()) << scan->Error().Message();
        if (expected.kind != TK::TokNumber) {
            continue;
        }
        const CalcValue& literal = scan->Literal();
        ASSERT_EQ(literal.kind, expected.valueKind);
        if (expected.valueKind == ValueKind::Integer) {
            EXPECT_EQ(literal.integer, expected.integer);
        } else {
            EXPECT_EQ(literal.real, expected.real);
        }
    }
    EXPECT_EQ(scan.Next(), TK::TokEnd);
    EXPECT_FALSE(scan->Failed()) << scan->Error().Message();
}

TEST(Tokenizer, LiteralTable) {
    const ScanCase cases[] = {
        {"12", {Real(12)}},
        {"007", {Real(7)}},
        {"1.5", {Real(1.5)}},
        {".5", {Real(0.5)}},
        {"5.", {Real(5)}},
        {"1e3", {Real(1000)}},
        {"1E+3", {Real(1000)}},
        {"2.5e-3", {Real(0.0025)}},
        {"0e5", {Real(0)}},
        {"1e400", {Real(std::numeric_limits<double>::infinity())}},
        {"0x1F", {Int(31)}},
        {"0XfF", {Int(255)}},
        {"0b101", {Int(5)}},
        {"0B1", {Int(1)}},
        {"0x8000000000000000", {Int(std::numeric_limits<int64_t>::min())}},
        {"0x10000000000000001", {Int(1)}},
        {"0b1" + std::string(64, '0') + "11", {Int(3)}},
        {"1.5.3", {Real(1.5), Real(0.3)}},
        {"0b102", {Int(2), Real(2)}},
        {"5e3.2", {Real(5000), Real(0.2)}},
        {"0x1F+1", {Int(31), Kind(Op('+')), Real(1)}},
    };
    for (const ScanCase& c : cases) {
        ExpectTokens(c);
    }
}

TEST(Tokenizer, OperatorTable) {
    const ScanCase cases[] = {
        {"+-*/%(),&|^~<>",
         {Kind(Op('+')), Kind(Op('-')), Kind(Op('*')), Kind(Op('/')), Kind(Op('%')), Kind(Op('(')),
          Kind(Op(')')), Kind(Op(',')), Kind(Op('&')), Kind(Op('|')), Kind(Op('^')), Kind(Op('~')),
          Kind(Op('<')), Kind(Op('>'))}},
        {"1>>2", {Real(1), Kind(TK::TokShiftRight), Real(2)}},
        {"1><2", {Real(1), Kind(Op('>')), Kind(Op('<')), Real(2)}},
        {">^", {Kind(Op('>')), Kind(Op('^'))}},
        {"^/", {Kind(Op('^')), Kind(Op('/'))}},
        {"2^^3", {Real(2), Kind(TK::TokXor), Real(3)}},
        {"2^3", {Real(2), Kind(Op('^')), Real(3)}},
        {"7/2", {Real(7), Kind(Op('/')), Real(2)}},
        {"7//note", {Real(7), Kind(TK::TokComment)}},
        {"1///2+$", {Real(1), Kind(TK::TokComment)}},
        {"sin", {Kind(TK::TokFunction)}},
        {"pi", {Kind(TK::TokConstant)}},
        {"e+1e5", {Kind(TK::TokConstant), Kind(Op('+')), Real(1e5)}},
    };
    for (const ScanCase& c : cases) {
        ExpectTokens(c);
    }
}

TEST(Tokenizer, IdentifiersResolveAgainstTablesThenVariables) {
    TestVariables variables;
    variables.Set("_000", CalcValue::MakeInteger(0));
    variables.Set("g", CalcValue::MakeInteger(0));
    variables.Set("sin", CalcValue::MakeInteger(0));
    variables.Set("x1", CalcValue::MakeInteger(0));
    ExpectTokens({"1_000", {Real(1), Kind(TK::TokVariable)}}, &variables);
    ExpectTokens({"0x1Fg", {Int(31), Kind(TK::TokVariable)}}, &variables);
    ExpectTokens({"x1*2", {Kind(TK::TokVariable), Kind(Op('*')), Real(2)}}, &variables);
    ExpectTokens({"sin", {Kind(TK::TokFunction)}}, &variables); // the table wins

    Scan scan("x1", &variables);
    EXPECT_EQ(scan.Next(), TK::TokVariable);
    EXPECT_EQ(scan->Index(), 3);
}

TEST(Tokenizer, ScanningErrorsLeaveCursorAtOffendingToken) {
    const struct {
        std::string text;
        const char* message; // raised by the last token scanned
    } cases[] = {
        {".", "dot '.'"},
        {".e5", "dot '.e5'"},
        {"12a", "bad suffix '12a'"},
        {"1.5k", "bad suffix '1.5k'"},
        {"10x5", "bad suffix '10x5'"},
        {"2pi", "bad suffix '2pi'"},
        {"00x5", "bad suffix '00x5'"},
        {"1e", "expecting digit '1e'"},
        {"1e+", "expecting digit '1e+'"},
        {"1ex", "expecting digit '1ex'"},
        {"1e5x", "expecting digit '1e5x'"},
        {"0x", "invalid hexa '0x'"},
        {"0xg", "invalid hexa '0xg'"},
        {"0b", "invalid bin '0b'"},
        {"0b2", "invalid bin '0b2'"},
        {"PI", "unknown const 'PI'"},
        {"Sin", "unknown const 'Sin'"},
        {"foo+1", "unknown const 'foo+1'"},
        {"=", "invalid tok '='"},
        {"$", "invalid tok '$'"},
        {"\t", "invalid tok '\t'"},
        {" 1", "invalid tok ' 1'"},
        {"\xc3\xa9", "invalid tok '\xc3\xa9'"},
        {"\x80", "invalid tok '\x80'"},
        {"\xff", "invalid tok '\xff'"},
        {"1+12a+1", "bad suffix '12a+1'"},
        {"3=5", "invalid tok '=5'"},
        {"x\xe9", "unknown const 'x\xe9'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("text: " + c.text);
        Scan scan(c.text);
        for (int i = 0; i < 10 && !scan->Failed(); ++i) {
            scan.Next();
        }
        ASSERT_TRUE(scan->Failed()) << "no error";
        EXPECT_EQ(scan->Error().Message(), c.message);
        // The error stays until the next start.
        scan.Next();
        EXPECT_EQ(scan->Error().Message(), c.message);
    }
}

TEST(Tokenizer, EndRepeatsAndClearsLiteral) {
    Scan empty("");
    EXPECT_EQ(empty.Next(), TK::TokEnd);
    EXPECT_EQ(empty.Next(), TK::TokEnd);

    Scan scan("42//x");
    EXPECT_EQ(scan->NextToken(), TK::TokEnd); // returns the kind that was current before
    EXPECT_EQ(scan->NextToken(), TK::TokNumber);
    EXPECT_EQ(scan->Cursor(), 5u); // a comment runs to the end
    EXPECT_EQ(scan.Next(), TK::TokEnd);
    EXPECT_EQ(scan->Literal().kind, ValueKind::None);
    EXPECT_EQ(scan.Next(), TK::TokEnd);
    EXPECT_EQ(scan->Cursor(), 5u);
    EXPECT_STREQ(scan->Rest(), "");
}

// Every decimal literal is the double that the C library's conversion gives, out of range too.
TEST(Tokenizer, DecimalLiteralsAsTheStandardConversionReadsThem) {
    const char* literals[] = {
        "0.1",
        "3.14159265358979323846264338327950288",
        "2.2250738585072011e-308",
        "4.9e-324",
        "2e-324",
        "1e-400",
        "1.7976931348623157e308",
        "1.7976931348623159e308",
        "9007199254740993",
        "0.30000000000000004",
        "123456789012345678901234567890e-10",
        "5.",
        ".000000000000000000000000000000000000001e39",
    };
    for (const char* literal : literals) {
        SCOPED_TRACE(literal);
        Scan scan(literal);
        ASSERT_EQ(scan.Next(), TK::TokNumber);
        ASSERT_EQ(scan->Literal().kind, ValueKind::Real);
        EXPECT_EQ(scan->Literal().real, std::strtod(literal, nullptr));
        EXPECT_EQ(scan.Next(), TK::TokEnd);
    }
}

// Short literals take a quicker conversion than long ones; both must agree with the C library.
TEST(Tokenizer, RandomDecimalLiteralsAsTheStandardConversionReadsThem) {
    std::mt19937 random(20261208);
    auto digitsOf = [&random](int count) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            text += static_cast<char>('0' + random() % 10);
        }
        return text;
    };
    for (int i = 0; i < 20000; ++i) {
        std::string literal = digitsOf(static_cast<int>(random() % 18));
        if (random() % 2 == 0 || literal.empty()) {
            literal += '.' + digitsOf(1 + static_cast<int>(random() % 18));
        }
        if (random() % 3 == 0) {
            literal += (random() % 2 == 0 ? "e-" : "e") + std::to_string(random() % 30);
        }
        SCOPED_TRACE(literal);
        Scan scan(literal);
        ASSERT_EQ(scan.Next(), TK::TokNumber);
        ASSERT_EQ(scan->Literal().real, std::strtod(literal.c_str(), nullptr));
    }
}

// A host (the window) may switch the C library's numeric locale; literals still read with '.'.
TEST(Tokenizer, DecimalPointIndependentOfNumericLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const char* candidates[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"};
    const char* chosen = nullptr;
    for (const char* name : candidates) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            chosen = name;
            break;
        }
    }
    if (chosen == nullptr) {
        GTEST_SKIP() << "no locale with a decimal comma installed";
    }
    Scan scan("2.5e-1");
    const TokenKind kind = scan.Next();
    const double value = scan->Literal().real;
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(kind, TK::TokNumber);
    EXPECT_EQ(value, 0.25) << chosen;
}

} // namespace
