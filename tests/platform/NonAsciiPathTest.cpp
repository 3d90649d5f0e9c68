// Names outside ASCII reach the system whole: UTF-8 inside the program, and on Windows the
// wide-character API (an ANSI code page holds neither 計 nor ř).
#include "platform/WholeFile.h"
#include "settings/SettingsFile.h"

#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

namespace {

namespace fs = std::filesystem;

const std::string kZurich = "Z\xc3\xbcrich";
const std::string kKeisan = "\xe8\xa8\x88\xe7\xae\x97";
const std::string kUser = "Zo\xc3\xab Dvo\xc5\x99\xc3\xa1k";

std::set<std::string> Names(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::u8path(folder)))
        names.insert(entry.path().filename().u8string());
    return names;
}

TEST(NonAsciiPaths, FilesInFoldersNamedZurichAndKeisan) {
    TempFolder temp;
    const std::string zurich = temp.File(kZurich);
    const std::string keisan = zurich + "/" + kKeisan;
    fs::create_directories(fs::u8path(keisan));

    const std::string saved = keisan + "/corvane.cfg";
    ASSERT_TRUE(WriteFileAtomically(saved, "atomic"));
    ASSERT_TRUE(WriteWholeFile(zurich + "/" + kKeisan + ".txt", "whole", 0644));
    std::string text;
    ASSERT_TRUE(ReadWholeFile(saved, text));
    EXPECT_EQ(text, "atomic");
    ASSERT_TRUE(ReadWholeFile(zurich + "/" + kKeisan + ".txt", text));
    EXPECT_EQ(text, "whole");

    // The names on disk are the names given, not their bytes in some code page.
    EXPECT_EQ(Names(temp.Path()), std::set<std::string>{kZurich});
    EXPECT_EQ(Names(zurich), (std::set<std::string>{kKeisan, kKeisan + ".txt"}));
    EXPECT_EQ(Names(keisan), std::set<std::string>{"corvane.cfg"});

    CalcSettings settings;
    settings.m_expressions = kZurich + "=1";
    ASSERT_TRUE(SaveSettings(saved, settings));
    CalcSettings loaded;
    ASSERT_TRUE(LoadSettings(saved, loaded));
    EXPECT_EQ(loaded.m_expressions, settings.m_expressions);
}

// The Windows test lane runs as a user whose name has accents and letters outside the ANSI
// code pages, so every test here that uses the temporary folder works under such a path.
TEST(NonAsciiPaths, TemporaryFolderOfAnAccentedUser) {
    if (std::getenv("CORVANE_ACCENTED_USER") == nullptr)
        GTEST_SKIP() << "only the Windows test lane runs as the user " << kUser;
    TempFolder temp;
    EXPECT_NE(temp.Path().find(kUser), std::string::npos) << temp.Path();
    const std::string path = temp.File("corvane.cfg");
    ASSERT_TRUE(WriteFileAtomically(path, "x"));
    EXPECT_EQ(ReadFileBytes(path), "x");
}

} // namespace
