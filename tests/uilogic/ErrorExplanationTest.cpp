#include "uilogic/ErrorExplanation.h"

#include "worksheet/Worksheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace {

// One line as typed, the engine's message for it (as --why shows it) and the plain words.
struct ErrorCase {
    std::string line;
    std::string message;
    std::string plain;
};

// Every error the engine can raise, by its text, at least once. Character numbers count the
// typed line, spaces and all.
const ErrorCase kErrorCases[] = {
    // scanning
    {"1 # 2", "invalid tok '#2'",
     "At character 3, `#` is not part of any number, name or operator."},
    {"2*é", "invalid tok 'é'", "At character 3, `é` is not part of any number, name or operator."},
    // A zero byte (only a file can hold one) or another control character is named by its code.
    {std::string("1+\0", 3), std::string("invalid tok '\0'", 15),
     "At character 3, `U+0000` is not part of any number, name or operator."},
    {"1\t", "invalid tok '\t'",
     "At character 2, `U+0009` is not part of any number, name or operator."},
    {"foo(3)", "unknown const 'foo(3)'",
     "At character 1, `foo` is not a function, a constant or a variable."},
    {"abcdefghijklmnopqrstuvwxyz0", "unknown const 'abcdefghijklmnopqrstuvwxyz0'",
     "At character 1, `abcdefghijklmnopqrstuvwx…` is not a function, a constant or a variable."},
    {"1+.", "dot '.'", "At character 3, `.` is a point with no digit before or after it."},
    {"12k", "bad suffix '12k'",
     "At character 1, `12k` is not a number: a number may be followed by a letter only as `e` "
     "with an exponent."},
    {"1e+", "expecting digit '1e+'",
     "At character 1, `1e+` is not a number: the exponent after `e` must be digits only."},
    {"0xg", "invalid hexa '0xg'",
     "At character 1, `0xg` is not a number: `0x` must be followed by hexadecimal digits (0 to "
     "9, a to f)."},
    {"0b", "invalid bin '0b'",
     "At character 1, `0b` is not a number: `0b` must be followed by binary digits (0 and 1)."},
    // parsing
    {"sin(", "err ''", "The line ends where a number or a name was expected."},
    {"2*atan(1, 2", "err ''", "The line ends where the `)` of `atan(` was expected."},
    {")", "err ''", "At character 1, `)` stands where a number or a name was expected."},
    {"2**3", "err '3'", "At character 3, `*` stands where a number or a name was expected."},
    {"1- // x", "err ''",
     "The calculation ends at the comment at character 4, where a number or a name was "
     "expected."},
    // A display suffix is no part of the calculation, nor a comment.
    {"1+ ,x", "err ''",
     "The calculation ends at the display suffix `,x` at character 4, where a number or a name "
     "was expected."},
    {"(1 ,b", "missing ) ''",
     "The calculation ends at the display suffix `,b` at character 4, where a `)` was expected."},
    {"(1+2", "missing ) ''", "The line ends where a `)` was expected."},
    {"(1 2,3)", "missing ) '3)'", "At character 5, `,` stands where a `)` was expected."},
    {"sqrt -4", "expecting ( '4'",
     "At character 6, `-` stands where a `(` was expected after `sqrt`."},
    {"sin(1,2,3,4,5,6,7,8,9,10,11)", "too many params ')'",
     "At character 26, `11` begins value 11 of a call to `sin`, but a call takes at most 10."},
    {"2+pow(3)", "missing param ''",
     "At character 3, `pow(3)`: `pow` needs two values; 1 was given."},
    {"1)", "expr incomplete ''",
     "At character 2, `)` stands where an operator or the end of the line was expected."},
    {"x = 4/0", "div by 0 ''", "At character 6, `/` divides by zero."},
    {"7 % 0 + 1", "div by 0 '1'", "At character 3, `%` takes the remainder of a division by zero."},
    // the library
    {"sin(1,2)", "fact expect 1 param ''",
     "At character 1, `sin(1,2)`: `sin` takes one value; 2 were given."},
    {"pow(2,3,4)", "fact expect 2 params ''",
     "At character 1, `pow(2,3,4)`: `pow` takes two values; 3 were given."},
    {"1+cot(0)", "undefined ''",
     "At character 3, `cot(0)`: `cot` is not defined for the value given."},
    // "internal err": no rest of the line, but a place
    {"5%0.5", "internal err",
     "At character 2, `%` has a divisor between -1 and 1, which counts as 0 for a remainder."},
    {std::string(257, '(') + "1", "internal err",
     "At character 257, `(` nests the line deeper than 256 levels of brackets, signs and calls."},
};

TEST(ErrorExplanation, EveryEngineErrorInPlainWords) {
    std::set<ErrorKind> seen;
    for (const ErrorCase& c : kErrorCases) {
        SCOPED_TRACE("line: " + c.line);
        const std::vector<ExplainedLine> lines = ExplainSheet(c.line);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].result, "err: " + c.message);
        EXPECT_EQ(lines[0].plain, c.plain);

        Worksheet sheet;
        std::string line = c.line;
        line.erase(std::remove(line.begin(), line.end(), ' '), line.end());
        std::string result;
        sheet.EvaluateLine(line, result);
        seen.insert(sheet.LastError().kind);
    }
    // Out of memory cannot be provoked here; it has a case of its own below.
    for (int32_t k = 1; k < kErrorKindCount; ++k) {
        const auto kind = static_cast<ErrorKind>(k);
        if (kind != ErrorKind::OutOfMemory) {
            EXPECT_TRUE(seen.count(kind)) << "no case for \"" << ErrorKindText(kind) << '"';
        }
    }
}

TEST(ErrorExplanation, OutOfMemoryNamesNoPlace) {
    ErrorDetail error;
    error.kind = ErrorKind::OutOfMemory;
    EXPECT_EQ(ErrorKindText(error.kind), std::string("internal err"));
    EXPECT_EQ(ExplainError("1+1", error), "The calculation ran out of memory.");
}

// The sheet is read as the results pane reads it: line breaks, blank lines, variables set
// above, display suffixes, and only failed lines explained.
TEST(ErrorExplanation, SheetLinesAsThePaneShowsThem) {
    const std::vector<ExplainedLine> lines = ExplainSheet("a = 6\r\n\r\n a*b ,x\nq=a/ 2\r\n// c");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].result, "6");
    EXPECT_EQ(lines[0].plain, "");
    EXPECT_EQ(lines[1].result, "");
    EXPECT_EQ(lines[2].result, "err: unknown const 'b'");
    EXPECT_EQ(lines[2].plain, "At character 4, `b` is not a function, a constant or a variable.");
    EXPECT_EQ(lines[3].result, "3");
    EXPECT_EQ(lines[4].result, "");
    EXPECT_EQ(lines[4].plain, "");
    // Results follow the format options.
    FormatOptions options;
    options.decimals = 2;
    options.deleteTrailingZeros = 0;
    EXPECT_EQ(ExplainSheet("1/4", options)[0].result, "0.25");
}

} // namespace
