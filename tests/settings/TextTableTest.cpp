#include "settings/TextTable.h"
#include "settings/TextTableRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

int CountOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + 1))
        ++count;
    return count;
}

[[maybe_unused]] bool IsDesktopEntryKey(const std::string& key) {
    if (key.empty())
        return false;
    for (char c : key) {
        const bool ok =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
        if (!ok)
            return false;
    }
    return true;
}

// A table built by hand the way the build tool does it, scrambled here independently.
struct HandBuiltTable {
    std::vector<unsigned char> stored;
    TextTableRecord record{};

    explicit HandBuiltTable(const std::vector<std::string>& texts) {
        std::string plain;
        for (int k = 0; k < kTextCount; ++k) {
            record.offsets[k] = static_cast<uint32_t>(plain.size());
            if (k < static_cast<int>(texts.size()))
                plain += texts[static_cast<size_t>(k)];
            plain += '\0';
        }
        record.offsets[43] = 0;
        for (size_t i = 0; i < plain.size(); ++i)
            stored.push_back(static_cast<unsigned char>(
                (static_cast<unsigned>(static_cast<unsigned char>(plain[i])) + 5 * i) % 256));
        record.allocationSize = static_cast<uint32_t>(plain.size());
        record.scrambledLength = record.allocationSize;
        record.state = kTextTableStored;
        record.block = stored.data();
    }
};

std::string EveryNonZeroByte() {
    std::string text;
    for (int v = 1; v < 256; ++v)
        text += static_cast<char>(v);
    return text;
}

TEST(TextTable, UnscramblesEveryByteValueAtEveryPosition) {
    // Text 0 pushes the rest past byte 52, where 5 * i wraps; the others then hold every byte
    // value at several positions (zero being the terminators).
    std::vector<std::string> texts = {std::string(60, 'a')};
    const std::string all = EveryNonZeroByte();
    for (int k = 1; k < kTextCount; ++k)
        texts.push_back(all.substr(static_cast<size_t>(k % 7)) +
                        all.substr(0, static_cast<size_t>(k % 7)));
    HandBuiltTable table(texts);
    std::unique_ptr<char[]> plain;
    for (int k = 0; k < kTextCount; ++k)
        EXPECT_EQ(FetchText(table.record, plain, k), texts[static_cast<size_t>(k)]) << "text " << k;
}

TEST(TextTable, FirstFetchUnscramblesOnceWhicheverIdItIs) {
    HandBuiltTable table({"zero", "one", "two"});
    std::unique_ptr<char[]> plain;
    EXPECT_STREQ(FetchText(table.record, plain, 2), "two");
    EXPECT_NE(table.record.state, kTextTableStored);
    const char* const base = plain.get();

    // Later fetches only index: a changed stored block is not read again.
    for (unsigned char& byte : table.stored)
        byte = static_cast<unsigned char>(byte + 1);
    EXPECT_STREQ(FetchText(table.record, plain, 1), "one");
    EXPECT_STREQ(FetchText(table.record, plain, 0), "zero");
    EXPECT_STREQ(FetchText(table.record, plain, 5), "");
    EXPECT_EQ(plain.get(), base);
}

TEST(TextTable, BadIdsAndDamagedOffsetsGiveEmptyTexts) {
    HandBuiltTable table({"zero", "one"});
    std::unique_ptr<char[]> plain;
    for (int id : {-9, -1, 43, 44, 1000})
        EXPECT_STREQ(FetchText(table.record, plain, id), "") << id;
    EXPECT_EQ(table.record.state, kTextTableStored); // a bad id does not unscramble
    table.record.offsets[1] = table.record.allocationSize + 10;
    EXPECT_STREQ(FetchText(table.record, plain, 1), "");
    EXPECT_STREQ(FetchText(table.record, plain, 0), "zero");
}

TEST(TextTable, GeneratedRecordIsWellFormed) {
    const TextTableRecord& t = g_textTable;
    EXPECT_EQ(t.offsets[43], 0u);
    EXPECT_EQ(t.allocationSize, t.scrambledLength);
    EXPECT_EQ(t.offsets[0], 0u);
    for (int k = 1; k < kTextCount; ++k)
        EXPECT_GT(t.offsets[k], t.offsets[k - 1]) << k;
    EXPECT_LT(t.offsets[42], t.allocationSize);
}

TEST(TextTable, EveryUsedNonPageTextIsPresent) {
    const TextId used[] = {
        TextId::UninstallValue28Data,   TextId::Version,
        TextId::ResourceAddressFormat,  TextId::KeyLinkPrefix,
        TextId::FolderCaptionFormat,    TextId::UninstallKeyPath,
        TextId::UninstallValueName28,   TextId::UninstallValueName29,
        TextId::UninstallValueName30,   TextId::UninstallValueName31,
        TextId::UninstallCommandFormat, TextId::UninstallSwitch,
        TextId::UninstallDoneMessage,   TextId::SettingsFileName,
        TextId::ProgramsGroupName,      TextId::InstalledProgramName,
        TextId::ShortcutName,           TextId::UninstallerCopyName,
        TextId::UninstalledAddress,
    };
    for (TextId id : used) {
        const std::string text = GetText(id);
        ASSERT_FALSE(text.empty()) << int(id);
        EXPECT_NE(text.back(), '\n') << "a file's line end leaked into text " << int(id);
        if (id != TextId::FolderCaptionFormat) {
            EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << int(id);
        }
    }
    for (int unused : {14, 16, 17, 18, 20, 21, 22, 23, 24, 25, 26, 27, 35, 42})
        EXPECT_STREQ(GetText(static_cast<TextId>(unused)), "") << unused;
    EXPECT_STREQ(GetText(static_cast<TextId>(43)), "");
}

TEST(TextTable, TextsFitTheirUses) {
    EXPECT_STREQ(GetText(TextId::Version), "1.0");
    EXPECT_STREQ(GetText(TextId::SettingsFileName), "corvane.cfg");
    EXPECT_STREQ(GetText(TextId::UninstallSwitch), "--uninstall");

    const std::string prefix = GetText(TextId::KeyLinkPrefix);
    ASSERT_GE(prefix.size(), 7u);
    EXPECT_EQ(prefix.find("//"), std::string::npos); // a host part would be rewritten

    // Formats with exactly one text argument and no other conversion.
    for (TextId id : {TextId::FolderCaptionFormat, TextId::UninstallCommandFormat}) {
        const std::string format = GetText(id);
        EXPECT_EQ(CountOf(format, "%"), 1) << format;
        EXPECT_EQ(CountOf(format, "%s"), 1) << format;
    }
    const std::string command = GetText(TextId::UninstallCommandFormat);
    EXPECT_NE(command.find(GetText(TextId::UninstallSwitch)), std::string::npos);

    const std::string entry = GetText(TextId::UninstallKeyPath);
    const std::string group = GetText(TextId::ProgramsGroupName);
#ifdef _WIN32
    // The uninstall entry is a key of the user's list of installed programs, named as the
    // group; its values are the ones that list reads.
    EXPECT_EQ(entry, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + group);
    EXPECT_STREQ(GetText(TextId::UninstallValueName29), "DisplayName");
    EXPECT_STREQ(GetText(TextId::UninstallValueName30), "UninstallString");
    EXPECT_STREQ(GetText(TextId::UninstallValueName31), "NoModify");
    EXPECT_STREQ(GetText(TextId::InstalledProgramName), "corvane.exe");
    EXPECT_STREQ(GetText(TextId::UninstallerCopyName), "corvane-uninstall.exe");
#else
    // The uninstall entry lies in the Programs group and is a desktop entry.
    EXPECT_EQ(entry.rfind('/'), group.size());
    EXPECT_EQ(entry.compare(0, group.size(), group), 0);
    EXPECT_EQ(entry.substr(entry.size() - 8), ".desktop");
    for (TextId id : {TextId::UninstallValueName28, TextId::UninstallValueName29,
                      TextId::UninstallValueName30, TextId::UninstallValueName31})
        EXPECT_TRUE(IsDesktopEntryKey(GetText(id))) << GetText(id);
    EXPECT_STREQ(GetText(TextId::UninstallValueName30), "Exec");
#endif

    const std::string address = GetText(TextId::UninstalledAddress);
    EXPECT_EQ(address.rfind("https://", 0), 0u);
    EXPECT_NE(address.find(".example/"), std::string::npos);
}

TEST(TextTable, FetchesAreStableAndReleaseIsRecoverable) {
    const char* first = GetText(TextId::Version);
    EXPECT_EQ(GetText(TextId::Version), first);
    ReleaseTexts();
    // A fetch after release unscrambles again instead of reading freed memory.
    EXPECT_STREQ(GetText(TextId::Version), "1.0");
}

} // namespace
