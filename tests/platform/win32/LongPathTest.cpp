// Paths near and beyond MAX_PATH: the long form the file functions take, and the settings
// file saved and read back beside a program in a folder that long.
#include "platform/FileOps.h"
#include "platform/WholeFile.h"
#include "platform/win32/WideText.h"
#include "tests/platform/win32/Win32TestSupport.h"

#include <gtest/gtest.h>

namespace {

const std::wstring kLongName(120, L'n'); // two of them and a drive pass MAX_PATH - 32

TEST(LongPath, ApiPathPrefixesOnlyLongFullPaths) {
    EXPECT_EQ(ApiPath(L"C:\\short\\corvane.cfg"), L"C:\\short\\corvane.cfg");
    EXPECT_EQ(ApiPath(L""), L"");

    const std::wstring drive = L"C:\\" + kLongName + L"\\" + kLongName + L"\\corvane.cfg";
    EXPECT_EQ(ApiPath(drive), L"\\\\?\\" + drive);
    // Slashes, "." and ".." are what the prefix no longer resolves: they are resolved first.
    const std::wstring mixed = L"C:/" + kLongName + L"/./x/../" + kLongName + L"/corvane.cfg";
    EXPECT_EQ(ApiPath(mixed), L"\\\\?\\" + drive);
    const std::wstring network = L"\\\\server\\share\\" + kLongName + L"\\" + kLongName;
    EXPECT_EQ(ApiPath(network), L"\\\\?\\UNC\\server\\share\\" + kLongName + L"\\" + kLongName);
    EXPECT_EQ(ApiPath(L"\\\\?\\" + drive), L"\\\\?\\" + drive);
}

// The settings file of a program whose folder leaves less room than a temporary name needs
// is still saved whole and read back, and no temporary file stays beside it.
TEST(LongPath, SettingsAreSavedAndReadBackNearAndBeyondMaxPath) {
    TempFolder temp;
    const std::string base = WinPath(temp);
    for (size_t length : {MAX_PATH - 24, MAX_PATH - 14, MAX_PATH + 40}) {
        // Wide characters are what MAX_PATH counts.
        std::string folder = base + "\\" + kOddName;
        const auto wideLength = [](const std::string& path) { return Wide(path).size(); };
        while (wideLength(folder) + 41 + 12 < length)
            folder += "\\" + std::string(40, 'd');
        folder += "\\" + std::string(length - 12 - wideLength(folder) - 1, 'f');
        ASSERT_TRUE(CreateFolderPath(folder, 0700)) << wideLength(folder);
        const std::string file = folder + "\\corvane.cfg";
        ASSERT_EQ(wideLength(file), length);
        const std::string text = "pos: 1 2 3 4 0\r\nexpr: \r\n 1+1\r\n";
        ASSERT_TRUE(WriteFileAtomically(file, text)) << length;
        ASSERT_TRUE(WriteFileAtomically(file, text + " 2+2\r\n")) << length; // over the old one
        std::string back;
        ASSERT_TRUE(ReadWholeFile(file, back)) << length;
        EXPECT_EQ(back, text + " 2+2\r\n");
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW(ApiPath(Wide(folder + "\\*")).c_str(), &found);
        ASSERT_NE(search, INVALID_HANDLE_VALUE);
        int files = 0;
        do {
            files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ? 1 : 0;
        } while (FindNextFileW(search, &found));
        FindClose(search);
        EXPECT_EQ(files, 1) << length;
        // The scratch folder's own removal does not reach this deep: emptied here.
        EXPECT_TRUE(DeleteOneFile(file));
        for (std::string at = folder; at.size() > base.size(); at.resize(at.rfind('\\')))
            EXPECT_TRUE(RemoveEmptyFolder(at)) << at;
    }
}

} // namespace
