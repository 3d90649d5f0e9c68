#include "platform/posix/DesktopEntry.h"
#include "setuplogic/ShortcutMaker.h"
#include "setuplogic/TextFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(DesktopEntry, ValueAndExecEscaping) {
    struct Case {
        const char* text;
        const char* value;  // EscapeDesktopValue
        const char* quoted; // QuoteExecArgument
    };
    const Case cases[] = {
        {"/opt/Corvane/corvane", "/opt/Corvane/corvane", "\"/opt/Corvane/corvane\""},
        {"/a b/c", "/a b/c", "\"/a b/c\""},
        {"a\\b", "a\\\\b", "\"a\\\\b\""},
        {"say \"hi\"", "say \"hi\"", "\"say \\\"hi\\\"\""},
        {"$HOME`x`", "$HOME`x`", "\"\\$HOME\\`x\\`\""},
        {"100%", "100%", "\"100%%\""},
        {"line\nbreak\ttab\rcr", "line\\nbreak\\ttab\\rcr", "\"line\nbreak\ttab\rcr\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EscapeDesktopValue(c.text), c.value) << c.text;
        EXPECT_EQ(QuoteExecArgument(c.text), c.quoted) << c.text;
    }
    // An Exec value escapes twice: first the argument, then the string value.
    EXPECT_EQ(EscapeDesktopValue(QuoteExecArgument("a\\b")), "\"a\\\\\\\\b\"");
}

// What the installer writes into an Exec value reads back as the same program, whatever the
// path holds; a path with '%' goes through env, which GLib can find.
TEST(DesktopEntry, ExecLineReadsBackAsTheProgram) {
    const char* const programs[] = {
        "/opt/Corvane/corvane",       "/a b/100%/Corvane/corvane", "/x/%%s%u/corvane",
        "/q/\"it's\"/corvane",        "/d/$HOME`id`\\/corvane",    "/t/tab\there\nnl/corvane",
        "/s/\\s not a space/corvane",
    };
    for (const std::string program : programs) {
        const std::string line = ExecLineFor(program, QuoteExecArgument(program) + " --uninstall");
        const std::string value = EscapeDesktopValue(line);
        EXPECT_EQ(value.find('\n'), std::string::npos) << value;
        EXPECT_EQ(value.rfind("env ", 0) == 0, program.find('%') != std::string::npos) << value;
        EXPECT_EQ(UnescapeDesktopValue(value), line);
        EXPECT_EQ(ExecProgram(value), program) << value;
    }
    EXPECT_EQ(ExecProgram("plain --uninstall"), "plain");
    EXPECT_EQ(ExecProgram("\"/open quote"), "");
    EXPECT_EQ(ExecProgram(""), "");
    EXPECT_EQ(UnescapeDesktopValue("a\\sb\\s\\\\x\\"), "a b \\x\\");
}

TEST(DesktopEntry, ValueOfAKeyInTheMainGroup) {
    const std::string text = "# c\n[Desktop Entry]\nName=A\nExec = \"/p\" --x\r\nNameX=no\n"
                             "[Desktop Action y]\nIcon=other\n";
    EXPECT_EQ(DesktopEntryValue(text, "Name"), "A");
    EXPECT_EQ(DesktopEntryValue(text, "Exec"), "\"/p\" --x");
    EXPECT_EQ(DesktopEntryValue(text, "Icon"), "");
    EXPECT_EQ(DesktopEntryValue("Exec=/x\n", "Exec"), ""); // outside any group
}

TEST(DesktopEntry, LinkTextNamesTargetFolderAndIcon) {
    ShortcutSpec shortcut;
    shortcut.strTarget = "/home/u/.local/share/Corvane/corvane";
    shortcut.strDescription = "Corvane Calculator";
    shortcut.strWorkingDir = "/home/u/.local/share/Corvane";
    shortcut.strIconPath = ProgramIconPath(shortcut.strTarget);
    EXPECT_EQ(DesktopLinkText(shortcut), "[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Corvane Calculator\n"
                                         "Comment=Corvane Calculator\n"
                                         "Exec=\"/home/u/.local/share/Corvane/corvane\"\n"
                                         "Path=/home/u/.local/share/Corvane\n"
                                         "Icon=/home/u/.local/share/Corvane/corvane.png\n"
                                         "Terminal=false\n"
                                         "Categories=Utility;Calculator;\n");
    shortcut.strArguments = "--x";
    EXPECT_NE(DesktopLinkText(shortcut).find("Exec=\"/home/u/.local/share/Corvane/corvane\" --x\n"),
              std::string::npos);
}

TEST(TextFormat, FillsTheOneTextArgument) {
    struct Case {
        const char* format;
        const char* argument;
        const char* expected;
    };
    const Case cases[] = {
        {"\"%s\" --uninstall", "/p", "\"/p\" --uninstall"},
        {"In:\n%s", "/x/", "In:\n/x/"},
        {"100%% %s", "a%sb", "100% a%sb"}, // the argument is never read as a format
        {"%s and %s", "a", "a and %s"},
        {"no argument", "a", "no argument"},
        {"trailing %", "a", "trailing %"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatWithText(c.format, c.argument), c.expected) << c.format;
}

} // namespace
