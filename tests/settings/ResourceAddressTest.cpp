#include "settings/ResourceAddress.h"
#include "platform/ModulePath.h"
#include "settings/TextTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ResourceAddress, PercentEncodingKeepsOnlySafeCharacters) {
    struct Case {
        std::string path;
        std::string encoded;
    };
    const Case cases[] = {
        {"/usr/bin/corvane", "/usr/bin/corvane"},
        {"/a b/c%d#e?f", "/a%20b/c%25d%23e%3Ff"},
        {"/Caf\xC3\xA9/x", "/Caf%C3%A9/x"},
        {"/t\tn\x7F", "/t%09n%7F"},
        {"/A-Z_a.z~0", "/A-Z_a.z~0"},
        {"/&+,;=:@'()*!$\\", "/%26%2B%2C%3B%3D%3A%40%27%28%29%2A%21%24%5C"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PercentEncodePath(c.path), c.encoded) << c.path;
        std::string path;
        int number = 0;
        ASSERT_TRUE(ParseResourceAddress("x://h%s/%d", "x://h" + c.encoded + "/135", path, number))
            << c.encoded;
        EXPECT_EQ(path, c.path);
        EXPECT_EQ(number, 135);
    }
}

TEST(ResourceAddress, TheImageFormatGivesAHostAndAnAbsolutePath) {
    const std::string format = GetText(TextId::ResourceAddressFormat);
    const std::string path = "/home/u s/%#?\xC3\xA9/corvane";
    const std::string address = FormatResourceAddress(format, path, 131);
    ASSERT_FALSE(address.empty()) << format;
    // scheme://host/encoded-path/number, with nothing left that would cut the path short.
    const size_t hostStart = address.find("://");
    ASSERT_NE(hostStart, std::string::npos);
    const size_t pathStart = address.find('/', hostStart + 3);
    ASSERT_NE(pathStart, std::string::npos);
#ifdef _WIN32
    // The browser's own scheme for a module's resources: res://<path>/<type>/#<number>.
    EXPECT_EQ(address, "res:///home/u%20s/%25%23%3F%C3%A9/corvane/IMG/#131");
#else
    const std::string rest = address.substr(pathStart);
    EXPECT_EQ(rest.find_first_of(" #?"), std::string::npos) << address;
    EXPECT_EQ(rest, "/home/u%20s/%25%23%3F%C3%A9/corvane/131");
#endif
    std::string parsedPath;
    int number = 0;
    ASSERT_TRUE(ParseResourceAddress(address, parsedPath, number));
    EXPECT_EQ(parsedPath, path);
    EXPECT_EQ(number, 131);
    EXPECT_EQ(
        address.compare(0, ResourceAddressScheme().size() + 3, ResourceAddressScheme() + "://"), 0);
}

TEST(ResourceAddress, OnlyAFormatWithTextThenNumberIsFilledIn) {
    struct Case {
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {"x:%s/%d", "x:/p%20q/7"},
        {"100%%:%s-%d", "100%:/p%20q-7"},
        {"%d%s", ""},   // wrong order
        {"%s", ""},     // number missing
        {"%s%d%d", ""}, // one too many
        {"%s%d%s", ""},
        {"%s%n%d", ""}, // any other conversion
        {"%s%d%", ""},  // a lone percent at the end
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatResourceAddress(c.format, "/p q", 7), c.expected) << c.format;
}

TEST(ResourceAddress, ParsingRejectsOtherShapes) {
    const char* const bad[] = {
        "y://h/p/1",           // another prefix
        "x://h/p/",            // no number
        "x://h/p1",            // no separator before the number
        "x://h/p/1z",          // junk after the number
        "x://h/p%2/1",         // short escape
        "x://h/p%G0/1",        // not hex
        "x://h/p%00q/1",       // a zero byte
        "x://h/p/99999999999", // beyond int
        "x://h/131",           // no path
        "x:/",
    };
    for (const char* address : bad) {
        std::string path = "kept";
        int number = -1;
        EXPECT_FALSE(ParseResourceAddress("x://h%s/%d", address, path, number)) << address;
        EXPECT_EQ(path, "kept");
        EXPECT_EQ(number, -1);
    }
    std::string path;
    int number = 0;
    EXPECT_FALSE(ParseResourceAddress("%d%s", "1/p", path, number)); // a bad format
    ASSERT_TRUE(ParseResourceAddress("x://h%s/%d", "x://h/p%2fq/007", path, number));
    EXPECT_EQ(path, "/p/q");
    EXPECT_EQ(number, 7);
}

TEST(ResourceAddress, ReplacesEveryPlaceholderWithTheModuleAddress) {
    const std::string address = ResourceAddress(140);
    ASSERT_FALSE(address.empty());
    EXPECT_EQ(address,
              FormatResourceAddress(GetText(TextId::ResourceAddressFormat), GetModulePath(), 140));
    std::string page = "<img src='$B$'><img src='$B$'>$B";
    ReplaceWithResourceAddress(page, "$B$", 140);
    EXPECT_EQ(page, "<img src='" + address + "'><img src='" + address + "'>$B");

    // A placeholder that the address itself contains is not replaced again and again.
    std::string self = "cv";
    ReplaceWithResourceAddress(self, "cv", 1);
    EXPECT_EQ(self, ResourceAddress(1));
    std::string unchanged = "abc";
    ReplaceWithResourceAddress(unchanged, "", 1);
    EXPECT_EQ(unchanged, "abc");
}

} // namespace
