#include "settings/ResourceAddress.h"
#include "platform/ModulePath.h"
#include "settings/TextTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Decodes %XX sequences, as the image handler of the page view will.
std::string PercentDecode(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

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
        EXPECT_EQ(PercentDecode(PercentEncodePath(c.path)), c.path);
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
    const std::string rest = address.substr(pathStart);
    EXPECT_EQ(rest.find_first_of(" #?"), std::string::npos) << address;
    EXPECT_EQ(rest, "/home/u%20s/%25%23%3F%C3%A9/corvane/131");
    EXPECT_EQ(PercentDecode(rest.substr(0, rest.rfind('/'))), path);
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
