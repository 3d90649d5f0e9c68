#include "platform/ModulePath.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

TEST(ModulePath, NamesThisExecutableAndItsFolder) {
    const std::string path = GetModulePath();
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(fs::u8path(path).is_absolute()) << path;
    EXPECT_TRUE(fs::is_regular_file(fs::u8path(path))) << path;
    EXPECT_EQ(fs::u8path(path).stem().u8string(), "core_tests");
#ifndef _WIN32
    EXPECT_TRUE(fs::equivalent(path, "/proc/self/exe"));
#endif

    const std::string folder = GetModuleFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), PathSeparator());
    EXPECT_EQ(path.compare(0, folder.size(), folder), 0);
    EXPECT_EQ(path.find(PathSeparator(), folder.size()), std::string::npos);
}

TEST(ModulePath, AddBackslashAppendsTheSeparatorOnce) {
    const std::string sep(1, PathSeparator());
    struct Case {
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {"", ""},
        {sep, sep},
        {"tmp", "tmp" + sep},
        {"tmp" + sep, "tmp" + sep},
        {"Z\xc3\xbcrich", "Z\xc3\xbcrich" + sep},
    };
    for (const Case& c : cases) {
        std::string text = c.in;
        AddBackslash(text);
        EXPECT_EQ(text, c.out) << c.in;
    }
    // Only the system's own separators end a folder: '/' everywhere, '\' on Windows alone.
    std::string slash = "a/";
    AddBackslash(slash);
    EXPECT_EQ(slash, "a/");
    std::string back = "a\\";
    AddBackslash(back);
    EXPECT_EQ(back, PathSeparator() == '\\' ? "a\\" : "a\\/");
}

} // namespace
