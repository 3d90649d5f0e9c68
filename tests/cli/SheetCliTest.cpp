// Runs the built corvane-sheet as a user would: arguments, standard input, exit code.
#include "cli/SheetOptions.h"
#include "cli/SheetText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class SheetCli : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/sheet_cli_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        for (const char* name : {"in", "out", "err", "sheet", "settings"}) {
            std::remove((dir_ + "/" + name).c_str());
        }
        rmdir(dir_.c_str());
    }

    std::string Path(const char* name) const { return dir_ + "/" + name; }

    // Runs corvane-sheet with args and input on standard input; stdout to outPath.
    RunResult Run(std::vector<std::string> args, const std::string& input = "",
                  const std::string& outPath = "") {
        WriteFile(Path("in"), input);
        const std::string out = outPath.empty() ? Path("out") : outPath;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, Path("in").c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        posix_spawn_file_actions_addopen(&actions, 2, Path("err").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        args.insert(args.begin(), CORVANE_SHEET_PATH);
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        RunResult result;
        pid_t pid = 0;
        const int spawned =
            posix_spawn(&pid, CORVANE_SHEET_PATH, &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) {
            ADD_FAILURE() << "cannot start " << CORVANE_SHEET_PATH;
            return result;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (outPath.empty()) {
            result.out = ReadFile(Path("out"));
        }
        result.err = ReadFile(Path("err"));
        return result;
    }

    std::string dir_;
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
        EXPECT_EQ(r.out, c.output) << c.input;
        EXPECT_EQ(r.err, "") << c.input;
        EXPECT_EQ(Run({"-"}, c.input).out, c.output) << c.input;
    }
}

TEST_F(SheetCli, ZeroByteFailsItsLineOnly) {
    const RunResult r = Run({}, std::string("1\0+5\n2\n", 7));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "err\n2\n");
}

TEST_F(SheetCli, ReadsAFile) {
    WriteFile(Path("sheet"), "a=2\r\na^10\r\n");
    const RunResult r = Run({Path("sheet")}, "ignored\n");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "2\n1 024\n");
    // "--" ends the options.
    EXPECT_EQ(Run({"--", Path("sheet")}).out, "2\n1 024\n");
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
    EXPECT_EQ(Run({"--decimals", "+2", "--keep-zeros"}, input).out, "1 234 567.89\n0.33\n6.00\n");
    EXPECT_EQ(Run({"--no-group", "--keep-zeros"}, input).out, "1234567.8910\n0.3333\n6.0000\n");
    EXPECT_EQ(Run({"--decimals", "1", "--decimals", "0"}, input).out, "1 234 568\n0\n6\n");
}

TEST_F(SheetCli, WhyShowsTheEngineMessage) {
    const RunResult r = Run({"--why"}, "1/0+5\n(1+2\n2\n");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "err: div by 0 '5'\nerr: missing ) ''\n2\n");
}

TEST_F(SheetCli, SettingsFileAndOptionsApplyInOrder) {
    WriteFile(Path("settings"), "resd: 1\r\nres0: 0\r\nresg: 0\r\nexpr: \r\n 99\r\n");
    const std::string input = "1234.56\n";
    EXPECT_EQ(Run({"--settings", Path("settings")}, input).out, "1234.6\n");
    EXPECT_EQ(Run({"--settings", Path("settings"), "--decimals", "3"}, input).out, "1234.560\n");
    EXPECT_EQ(Run({"--decimals", "3", "--settings", Path("settings")}, input).out, "1234.6\n");
    // The file wins over an earlier option only for what it contains.
    WriteFile(Path("settings"), "resd: 0\r\n");
    EXPECT_EQ(Run({"--keep-zeros", "--decimals", "2", "--settings", Path("settings")}, input).out,
              "1 235\n");
    EXPECT_EQ(
        Run({"--decimals", "2", "--keep-zeros", "--settings", Path("settings"), "--decimals", "3"},
            "1\n")
            .out,
        "1.000\n");
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
    if (access("/dev/full", W_OK) != 0) {
        GTEST_SKIP() << "no /dev/full";
    }
    const RunResult r = Run({}, "1\n", "/dev/full");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("cannot write"), std::string::npos) << r.err;
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
