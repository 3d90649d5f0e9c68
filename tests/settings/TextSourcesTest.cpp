#include "tools/TextSources.h"

#include "tests/TempFolder.h"

#include <gtest/gtest.h>

namespace {

using text_sources::BuildError;
using text_sources::IdFromName;
using text_sources::ReadTexts;

TEST(TextSources, FileNamesGiveTheirIds) {
    struct Case {
        const char* name;
        int id; // -1: not a text file name
    };
    const Case cases[] = {
        {"05-version.txt", 5}, {"00-agreement.html", 0}, {"42-x.y", 42},         {"99-far.txt", 99},
        {"5-version.txt", -1}, {"05version.txt", -1},    {"05-.txt", -1},        {"05-version", -1},
        {"05-version.", -1},   {"05-ver sion.txt", -1},  {"a5-version.txt", -1}, {"README.md", -1},
        {"05-a.b.txt", -1},
    };
    for (const Case& c : cases) {
        const std::optional<int> id = IdFromName(c.name);
        EXPECT_EQ(id.value_or(-1), c.id) << c.name;
    }
}

TEST(TextSources, ReadsTextsDroppingOneFinalLineEnd) {
    TempFolder folder;
    WriteFileBytes(folder.File("05-version.txt"), "1.0\n");
    WriteFileBytes(folder.File("06-two.txt"), "a\n\n");
    WriteFileBytes(folder.File("07-none.txt"), "b");
    WriteFileBytes(folder.File("08-crlf.txt"), "c\r\n");
    WriteFileBytes(folder.File(".hidden"), "ignored");
    const std::vector<std::string> texts = ReadTexts(std::filesystem::u8path(folder.Path()));
    ASSERT_EQ(texts.size(), 43u);
    EXPECT_EQ(texts[5], "1.0");
    EXPECT_EQ(texts[6], "a\n");
    EXPECT_EQ(texts[7], "b");
    EXPECT_EQ(texts[8], "c\r");
    EXPECT_EQ(texts[0], "");
    EXPECT_EQ(texts[42], "");
}

TEST(TextSources, RejectsWhatWouldBreakTheTable) {
    const std::pair<const char*, std::string> bad[] = {
        {"43-too-big.txt", "x"},
        {"notes.txt", "x"},
        {"05-again.txt", "x"}, // 05-version.txt is there too
        {"09-zero.txt", std::string("a\0b", 3)},
    };
    for (const auto& [name, contents] : bad) {
        TempFolder folder;
        WriteFileBytes(folder.File("05-version.txt"), "1.0\n");
        WriteFileBytes(folder.File(name), contents);
        EXPECT_THROW(ReadTexts(std::filesystem::u8path(folder.Path())), BuildError) << name;
    }
    TempFolder folder;
    std::filesystem::create_directory(std::filesystem::u8path(folder.File("07-folder.txt")));
    EXPECT_THROW(ReadTexts(std::filesystem::u8path(folder.Path())), BuildError);
}

TEST(TextSources, ASystemsOwnTextReplacesOnlyItsId) {
    TempFolder texts;
    WriteFileBytes(texts.File("05-version.txt"), "1.0\n");
    WriteFileBytes(texts.File("06-address.txt"), "cvres://img%s/%d\n");
    TempFolder own;
    WriteFileBytes(own.File("06-address.txt"), "res://%s/IMG/#%d\n");
    WriteFileBytes(own.File("07-empty.txt"), ""); // given, though empty
    const std::vector<std::string> merged =
        ReadTexts(std::filesystem::u8path(texts.Path()), std::filesystem::u8path(own.Path()));
    ASSERT_EQ(merged.size(), 43u);
    EXPECT_EQ(merged[5], "1.0");
    EXPECT_EQ(merged[6], "res://%s/IMG/#%d");
    EXPECT_EQ(merged[7], "");
    // The overrides follow the same rules as the texts.
    WriteFileBytes(own.File("06-again.txt"), "x");
    EXPECT_THROW(
        ReadTexts(std::filesystem::u8path(texts.Path()), std::filesystem::u8path(own.Path())),
        BuildError);
}

} // namespace
