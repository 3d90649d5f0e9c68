// Runs the built corvane-sheet as a user would: arguments, standard input, exit code.
#include "cli/SheetOptions.h"
#include "cli/SheetText.h"

#include "platform/ModulePath.h"
#include "tests/TempFolder.h"
#include "tests/cli/RunProgram.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// corvane-sheet lies beside this test program.
std::string SheetPath() {
    return GetModuleFolder() + CORVANE_SHEET_NAME;
}

// Output text as the system writes text: each LF becomes CR LF on Windows.
std::string Lines(const std::string& text) {
    if (PathSeparator() == '/')
        return text;
    std::string crlf;
    for (const char c : text) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    return crlf;
}

class SheetCli : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return folder_.File(name); }

    // Runs corvane-sheet with args and input on standard input; stdout to outPath.
    RunResult Run(const std::vector<std::string>& args, const std::string& input = "",
                  const std::string& outPath = "") {
        WriteFileBytes(Path("in"), input);
        const std::string out = outPath.empty() ? Path("out") : outPath;
        RunResult result;
        result.exitCode = RunProgram(SheetPath(), args, Path("in"), out, Path("err"));
        if (result.exitCode < 0)
            ADD_FAILURE() << "cannot start " << SheetPath();
        if (outPath.empty())
            result.out = ReadFileBytes(Path("out"));
        result.err = ReadFileBytes(Path("err"));
        return result;
    }

    TempFolder folder_;
    const std::string& dir_ = folder_.Path();
};

TEST_F(SheetCli, ReadsStandardInputAndPrintsOneLinePerLine) {
    struct Case {
        const char* input;
        const char* output;
    };
    const Case cases[] = {
        {"1+1\n", "2\n"},   {"1+1", "2\n"},
        {"1+1\r\n", "2\n"}, {"1\n2\r\n3\n", "1\n2\n3\n"},
        {"1\n\n", "1\n\n"}, {"1\r\n\r\n", "1\n\n"},
        {"", "\n"},         {"\n", "\n"},
        {"\n\n", "\n\n"},   {"x=0xff,x\nx+1\n1/0\n//c\n", "FF\n256\nerr\n\n"},
    };
    for (const Case& c : cases) {
        const RunResult r = Run({}, c.input);
        EXPECT_EQ(r.exitCode, 0) << c.input;
        EXPECT_EQ(r.out, Lines(c.output)) << c.input;
        EXPECT_EQ(r.err, "") << c.input;
        EXPECT_EQ(Run({"-"}, c.input).out, Lines(c.output)) << c.input;
    }
}

TEST_F(SheetCli, ZeroByteFailsItsLineOnly) {
    const RunResult r = Run({}, std::string("1\0+5\n2\n", 7));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, Lines("err\n2\n"));
}

TEST_F(SheetCli, ReadsAFile) {
    WriteFileBytes(Path("sheet"), "a=2\r\na^10\r\n");
    const RunResult r = Run({Path("sheet")}, "ignored\n");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, Lines("2\n1 024\n"));
    // "--" ends the options.
    EXPECT_EQ(Run({"--", Path("sheet")}).out, Lines("2\n1 024\n"));
}

TEST_F(SheetCli, UnreadableFileExitsOneWithTheReason) {
    RunResult r = Run({Path("missing")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("No such file or directory"), std::string::npos) << r.err;

    r = Run({dir_});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Is a directory"), std::string::npos) << r.err;
}

TEST_F(SheetCli, UsageErrorsExitTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {"--decimals"},        {"--decimals", "abc"},
        {"--decimals", "1.5"}, {"--decimals", "2x"},
        {"--decimals", ""},    {"--decimals", "-"},
        {"--decimals", " 2"},  {"--decimals", "99999999999"},
        {"--bogus"},           {"-x"},
        {"--settings"},        {"a", "b"},
        {"--why", "a", "-"},
    };
    for (const auto& args : cases) {
        const RunResult r = Run(args, "1\n");
        EXPECT_EQ(r.exitCode, 2) << args[0];
        EXPECT_EQ(r.out, "") << args[0];
        EXPECT_NE(r.err.find("usage: corvane-sheet"), std::string::npos) << r.err;
    }
}

TEST_F(SheetCli, HelpPrintsUsageToStandardOutput) {
    const RunResult r = Run({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.rfind("usage: corvane-sheet", 0), 0u) << r.out;
    EXPECT_EQ(r.err, "");
}

// Each option alone is covered by the golden worksheets; here they combine.
TEST_F(SheetCli, FormattingOptionsCombine) {
    const std::string input = "1234567.891\n1/3\n6\n";
    EXPECT_EQ(Run({"--decimals", "+2", "--keep-zeros"}, input).out,
              Lines("1 234 567.89\n0.33\n6.00\n"));
    EXPECT_EQ(Run({"--no-group", "--keep-zeros"}, input).out,
              Lines("1234567.8910\n0.3333\n6.0000\n"));
    EXPECT_EQ(Run({"--decimals", "1", "--decimals", "0"}, input).out, Lines("1 234 568\n0\n6\n"));
}

TEST_F(SheetCli, WhyShowsTheEngineMessage) {
    const RunResult r = Run({"--why"}, "1/0+5\n(1+2\n2\n");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, Lines("err: div by 0 '5'\nerr: missing ) ''\n2\n"));
}

TEST_F(SheetCli, SettingsFileAndOptionsApplyInOrder) {
    WriteFileBytes(Path("settings"), "resd: 1\r\nres0: 0\r\nresg: 0\r\nexpr: \r\n 99\r\n");
    const std::string input = "1234.56\n";
    EXPECT_EQ(Run({"--settings", Path("settings")}, input).out, Lines("1234.6\n"));
    EXPECT_EQ(Run({"--settings", Path("settings"), "--decimals", "3"}, input).out,
              Lines("1234.560\n"));
    EXPECT_EQ(Run({"--decimals", "3", "--settings", Path("settings")}, input).out,
              Lines("1234.6\n"));
    // The file wins over an earlier option only for what it contains.
    WriteFileBytes(Path("settings"), "resd: 0\r\n");
    EXPECT_EQ(Run({"--keep-zeros", "--decimals", "2", "--settings", Path("settings")}, input).out,
              Lines("1 235\n"));
    EXPECT_EQ(
        Run({"--decimals", "2", "--keep-zeros", "--settings", Path("settings"), "--decimals", "3"},
            "1\n")
            .out,
        Lines("1.000\n"));
}

TEST_F(SheetCli, UnreadableSettingsFileExitsOne) {
    const RunResult r = Run({"--settings", Path("missing")}, "1\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("No such file or directory"), std::string::npos) << r.err;

    const RunResult dir = Run({"--settings", dir_}, "1\n");
    EXPECT_EQ(dir.exitCode, 1);
    EXPECT_NE(dir.err.find("Is a directory"), std::string::npos) << dir.err;
}

TEST_F(SheetCli, FailedWriteIsReported) {
    if (PathSeparator() != '/' || !std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no device whose writes fail (/dev/full) on this system";
    }
    const RunResult r = Run({}, "1\n", "/dev/full");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("cannot write"), std::string::npos) << r.err;
}

// Names outside ASCII (a folder Zürich, one named 計算, a space) reach the files whole, from
// the command line through to the system.
TEST_F(SheetCli, ReadsFilesWhoseNamesAreNotAscii) {
    const std::string folder = Path("Z\xc3\xbcrich/\xe8\xa8\x88\xe7\xae\x97");
    std::filesystem::create_directories(std::filesystem::u8path(folder));
    const std::string sheet = folder + "/F\xc3\xa4lle \xc3\xa9t\xc3\xa9.sheet";
    const std::string settings = folder + "/r\xc3\xa9glages.cfg";
    WriteFileBytes(sheet, "1/3\r\n2\n");
    WriteFileBytes(settings, "resd: 1\r\n");
    const RunResult r = Run({"--settings", settings, sheet});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, Lines("0.3\n2\n"));

    const RunResult missing = Run({folder + "/\xe8\xa8\x88.sheet"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("\xe8\xa8\x88.sheet: No such file or directory"), std::string::npos)
        << missing.err;
}

TEST(SheetTextTest, PaneTextUsesCrLfAndDropsOneFinalBreak) {
    EXPECT_EQ(ToPaneText("a\nb\n"), "a\r\nb");
    EXPECT_EQ(ToPaneText("a\r\nb\r\n"), "a\r\nb");
    EXPECT_EQ(ToPaneText("a\n\n"), "a\r\n");
    EXPECT_EQ(ToPaneText("\n"), "");
    EXPECT_EQ(ToPaneText("a\rb"), "a\rb");
    EXPECT_EQ(ToPaneText("a\r"), "a\r");
    EXPECT_EQ(ToPaneText("\xEF\xBB\xBF"
                         "1+1\n"),
              "1+1");
    EXPECT_EQ(ToPaneText("1\n\xEF\xBB\xBF"), "1\r\n\xEF\xBB\xBF");
    EXPECT_EQ(ToOutputText("1\r\n\r\nerr\r\n"), "1\n\nerr\n");
}

} // namespace
