#include "platform/ModulePath.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(ModulePath, NamesThisExecutableAndItsFolder) {
    const std::string path = GetModulePath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path[0], '/');
    EXPECT_TRUE(std::filesystem::equivalent(path, "/proc/self/exe"));

    const std::string folder = GetModuleFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(path.compare(0, folder.size(), folder), 0);
    EXPECT_EQ(path.find('/', folder.size()), std::string::npos);
}

TEST(ModulePath, AddBackslashAppendsOneSlash) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"", ""}, {"/", "/"}, {"/tmp", "/tmp/"}, {"/tmp/", "/tmp/"}, {"a\\", "a\\/"},
    };
    for (const Case& c : cases) {
        std::string text = c.in;
        AddBackslash(text);
        EXPECT_EQ(text, c.out) << c.in;
    }
}

} // namespace
