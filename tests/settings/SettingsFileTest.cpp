#include "settings/SettingsFile.h"
#include "settings/CalcSettings.h"
#include "settings/SettingsFormat.h"

#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <string>
#include <utility>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

const char kExampleFile[] = "pos: 100 80 610 365 0\r\n"
                            "pin: 0\r\n"
                            "keyp: 1\r\n"
                            "resd: 4\r\n"
                            "res0: 1\r\n"
                            "resg: 1\r\n"
                            "save: 1\r\n"
                            "esc: 2\r\n"
                            "expr: \r\n"
                            " 1+1\r\n"
                            " x=2\r\n";

CalcSettings ExampleSettings() {
    CalcSettings s;
    s.m_windowRect = {100, 80, 610, 365};
    s.m_windowState = WindowState::Normal;
    s.m_expressions = "1+1\r\nx=2";
    return s;
}

CalcSettings Parsed(const std::string& text) {
    CalcSettings s;
    ParseSettingsText(text, s);
    return s;
}

TEST(SettingsFile, ExampleFileIsWrittenByteExactAndReadBack) {
    TempFolder folder;
    const std::string path = folder.File("corvane.cfg");
    ASSERT_TRUE(SaveSettings(path, ExampleSettings()));
    EXPECT_EQ(ReadFileBytes(path), kExampleFile);

    CalcSettings loaded;
    loaded.m_expressions = "old";
    loaded.m_decimals = 9;
    ASSERT_TRUE(LoadSettings(path, loaded));
    EXPECT_EQ(loaded.m_expressions, "1+1\r\nx=2");
    EXPECT_EQ(FormatSettingsText(loaded), kExampleFile); // every option came back
}

TEST(SettingsFile, EveryOptionSurvivesARoundTrip) {
    CalcSettings s;
    s.m_windowRect = {-5, 7, 2147483647, -2147483647 - 1};
    s.m_windowState = WindowState::Minimised;
    s.m_keepOnTop = 1;
    s.m_showButtons = 0;
    s.m_decimals = 15;
    s.m_deleteTrailingZeros = 0;
    s.m_groupDigits = 0;
    s.m_saveExpressions = 1;
    s.m_escAction = EscAction::Minimise;
    s.m_expressions = "a";
    const std::string text = FormatSettingsText(s);
    EXPECT_EQ(FormatSettingsText(Parsed(text)), text);
    EXPECT_NE(text.find("pos: -5 7 2147483647 -2147483648 1\r\n"), std::string::npos);
}

// Pane texts that must come back unchanged after a save and a load.
TEST(SettingsFile, ExpressionTextsRoundTrip) {
    const std::string longLine(5000, '7');
    const std::string cases[] = {
        "",
        "1+1",
        "1+1\r\nx=2",
        "\r\n\r\n3*3",        // leading empty lines are kept
        "\r\n",               // a single empty line, then an empty last line
        "1\r\n\r\n\r\n2",     // empty lines in the middle
        "1\r\n\r\n",          // empty lines at the end
        "   indented\r\n  x", // leading spaces beyond the first are kept
        longLine,             // far longer than any line buffer
        "a\r\n" + longLine + "\r\nb",
        "expr: \r\npos: 1 2", // key words inside the block stay expressions
    };
    for (const std::string& pane : cases) {
        CalcSettings s;
        s.m_expressions = pane;
        EXPECT_EQ(Parsed(FormatSettingsText(s)).m_expressions, pane) << "pane: " << pane;
    }
}

TEST(SettingsFile, BlockLineShapes) {
    struct Case {
        const char* file;
        const char* expressions;
    };
    const Case cases[] = {
        {"expr: \r\n \r\n", ""},                      // one empty pane line
        {"expr: \r\n \r\n 5\r\n", "\r\n5"},           // leading empty pane line kept
        {"expr: \r\n 1\r\n\r\n\r\n 2\r\n", "1\r\n2"}, // empty file lines are skipped
        {"expr: \r\n\r\n 1\r\n", "1"},                // also at the start of the block
        {"expr: \r\n 1\r\nesc: 0\r\n 2\r\n", "1"},    // a key ends the block
        {"expr: \r\n 1\r\nzzz\r\n 2\r\n", "1"},       // so does an unknown line
        {"expr: \r\n a\r\nexpr: \r\n b\r\n", "b"},    // a second block replaces the first
        {"expr: ignored\r\n a\r\n", "a"},             // rest of the expr: line ignored
        {" stray\r\nexpr: \r\n a\r\n", "a"},          // space lines out of a block ignored
        {"pin: 1\r\n", ""},                           // no expr: line at all
        {"expr: \n 1\n x=2\n", "1\r\nx=2"},           // lone LF line ends
        {"expr: \r\n 1\r\n 2", "1\r\n2"},             // no line end after the last line
        {"expr: \r\n 1\r\r\n", "1\r"},                // only one CR belongs to the line end
        {"expr: \r\n\t1\r\n", ""},                    // only a space marks a block line
    };
    for (const Case& c : cases) {
        CalcSettings s;
        s.m_expressions = "previous";
        ParseSettingsText(c.file, s);
        EXPECT_EQ(s.m_expressions, c.expressions) << "file: " << c.file;
    }
}

TEST(SettingsFile, NumbersAreReadLikeAtoi) {
    struct Case {
        const char* line;
        int32_t CalcSettings::*field;
        int32_t expected;
    };
    const Case cases[] = {
        {"resd:12", &CalcSettings::m_decimals, 2}, // the character after the colon is skipped
        {"resd: 12", &CalcSettings::m_decimals, 12},
        {"resd:  -3x", &CalcSettings::m_decimals, -3},
        {"resd: +7", &CalcSettings::m_decimals, 7},
        {"resd: abc", &CalcSettings::m_decimals, 0},
        {"resd:", &CalcSettings::m_decimals, 0},
        {"resd: 99999999999999999999", &CalcSettings::m_decimals, INT32_MAX},
        {"resd: -99999999999999999999", &CalcSettings::m_decimals, INT32_MIN},
        {"resd: 2147483648", &CalcSettings::m_decimals, INT32_MAX},
        {"resd: -2147483648", &CalcSettings::m_decimals, INT32_MIN},
        {"pin:1", &CalcSettings::m_keepOnTop, 1},
        {"pin: \t 1", &CalcSettings::m_keepOnTop, 1},
        {"keyp: 0", &CalcSettings::m_showButtons, 0},
        {"res0: 0", &CalcSettings::m_deleteTrailingZeros, 0},
        {"resg: 0", &CalcSettings::m_groupDigits, 0},
        {"save: 0", &CalcSettings::m_saveExpressions, 0},
    };
    for (const Case& c : cases) {
        const CalcSettings s = Parsed(std::string(c.line) + "\r\n");
        EXPECT_EQ(s.*c.field, c.expected) << "line: " << c.line;
    }
    const std::pair<const char*, int32_t> escCases[] = {
        {"esc: 1", 1},
        {"esc:01", 1},
        {"esc: 40", 40}, // values are taken as written
        {"Esc: 1", 2},   // keys are case-sensitive
    };
    for (const auto& [line, expected] : escCases) {
        const CalcSettings s = Parsed(std::string(line) + "\r\n");
        EXPECT_EQ(static_cast<int32_t>(s.m_escAction), expected) << "line: " << line;
    }
}

// Numbers outside the named Esc actions and window states, from a hand-edited file, are kept
// and written back as they were read.
TEST(SettingsFile, UnnamedNumbersAreWrittenBackAsRead) {
    const CalcSettings s = Parsed("pos: 1 2 3 4 7\r\nesc: -5\r\n");
    EXPECT_EQ(static_cast<int32_t>(s.m_windowState), 7);
    EXPECT_EQ(static_cast<int32_t>(s.m_escAction), -5);
    const std::string text = FormatSettingsText(s);
    EXPECT_NE(text.find("pos: 1 2 3 4 7\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("esc: -5\r\n"), std::string::npos) << text;
}

TEST(SettingsFile, PosReadsUpToTheFirstMissingNumber) {
    struct Case {
        const char* line;
        WindowRect rect;
        int32_t state;
    };
    const Case cases[] = {
        {"pos: 1 2 3 4 0", {1, 2, 3, 4}, 0},
        {"pos:1 2 3", {1, 2, 3, 44}, 5}, // bottom and state keep their values
        {"pos: 1 2 x 4 0", {1, 2, 33, 44}, 5},
        {"pos: 1 2 3 4", {1, 2, 3, 4}, 5},
        {"pos: -1 -2 -3 -4 1", {-1, -2, -3, -4}, 1},
        {"pos:", {11, 22, 33, 44}, 5},
        {"pos: 7,8", {7, 22, 33, 44}, 5},
    };
    for (const Case& c : cases) {
        CalcSettings s;
        s.m_windowRect = {11, 22, 33, 44};
        s.m_windowState = static_cast<WindowState>(5);
        ParseSettingsText(std::string(c.line) + "\r\n", s);
        EXPECT_EQ(s.m_windowRect.left, c.rect.left) << c.line;
        EXPECT_EQ(s.m_windowRect.top, c.rect.top) << c.line;
        EXPECT_EQ(s.m_windowRect.right, c.rect.right) << c.line;
        EXPECT_EQ(s.m_windowRect.bottom, c.rect.bottom) << c.line;
        EXPECT_EQ(static_cast<int32_t>(s.m_windowState), c.state) << c.line;
    }
}

TEST(SettingsFile, SaveOffWritesAnEmptyBlock) {
    CalcSettings s = ExampleSettings();
    s.m_saveExpressions = 0;
    const std::string text = FormatSettingsText(s);
    const std::string tail = "save: 0\r\nesc: 2\r\nexpr: \r\n\r\n";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    CalcSettings loaded;
    loaded.m_expressions = "previous";
    ParseSettingsText(text, loaded);
    EXPECT_EQ(loaded.m_expressions, "");
    EXPECT_EQ(loaded.m_saveExpressions, 0);
}

TEST(SettingsFile, CrLfAndLfFilesLoadAlike) {
    std::string lf = kExampleFile;
    for (size_t pos; (pos = lf.find("\r\n")) != std::string::npos;)
        lf.erase(pos, 1);
    const CalcSettings fromCrLf = Parsed(kExampleFile);
    const CalcSettings fromLf = Parsed(lf);
    EXPECT_EQ(FormatSettingsText(fromLf), FormatSettingsText(fromCrLf));
    EXPECT_EQ(FormatSettingsText(fromLf), kExampleFile);
}

TEST(SettingsFile, MissingFileChangesNothing) {
    TempFolder folder;
    CalcSettings s = ExampleSettings();
    EXPECT_FALSE(LoadSettings(folder.File("absent.cfg"), s));
    EXPECT_FALSE(LoadSettings(folder.Path(), s)); // a folder opens but cannot be read
    EXPECT_EQ(FormatSettingsText(s), kExampleFile);
}

#ifndef _WIN32
// A pipe or a device where the settings file should be: the start neither waits for a writer
// nor reads without end; it goes on with what it has.
TEST(SettingsFile, APipeOrADeviceChangesNothingAndNeverWaits) {
    TempFolder folder;
    const std::string pipe = folder.File("corvane.cfg");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    CalcSettings s = ExampleSettings();
    errno = 0;
    EXPECT_FALSE(LoadSettings(pipe, s));
    EXPECT_EQ(errno, EINVAL);
    EXPECT_FALSE(LoadSettings("/dev/zero", s));
    EXPECT_FALSE(LoadSettings("/dev/null", s));
    EXPECT_EQ(FormatSettingsText(s), kExampleFile);
}
#endif

TEST(SettingsFile, FileWithoutExprKeepsOptionsAndEmptiesPane) {
    TempFolder folder;
    const std::string path = folder.File("c.cfg");
    WriteFileBytes(path, "resd: 9\r\nkeyp: 0\r\n");
    CalcSettings s;
    s.m_expressions = "previous";
    ASSERT_TRUE(LoadSettings(path, s));
    EXPECT_EQ(s.m_decimals, 9);
    EXPECT_EQ(s.m_showButtons, 0);
    EXPECT_EQ(s.m_expressions, "");
}

TEST(SettingsFile, GlobalOverloadsUseGSettings) {
    TempFolder folder;
    const std::string path = folder.File("g.cfg");
    const CalcSettings saved = g_settings;
    g_settings = ExampleSettings();
    ASSERT_TRUE(SaveSettings(path));
    g_settings = CalcSettings();
    ASSERT_TRUE(LoadSettings(path));
    EXPECT_EQ(FormatSettingsText(g_settings), kExampleFile);
    g_settings = saved;
}

} // namespace
