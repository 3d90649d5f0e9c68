#include "SetupTestSupport.h"

#include "platform/ProgramCopy.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace {

std::string Filler(size_t size) {
    std::string data(size, '\0');
    for (size_t i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 7 + 3) & 0xFF);
    return data;
}

TEST(SetupMarker, DeliveredProgramHoldsTheMarkerExactlyOnce) {
    const std::string program = ReadFile(DeliveredProgram());
    ASSERT_GT(program.size(), 10000u) << DeliveredProgram();
    EXPECT_EQ(CountOccurrences(program, WordBytes(MarkerWord())), 1u);
}

TEST(SetupMarker, InstalledBuildCopyDiffersOnlyWhereTheMarkerWas) {
    const std::string delivered = ReadFile(DeliveredProgram());
    const std::string installed = ReadFile(InstalledBuildProgram());
    ASSERT_EQ(installed.size(), delivered.size());
    const size_t at = delivered.find(WordBytes(MarkerWord()));
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(installed.substr(at, 4), WordBytes(1));
    EXPECT_EQ(installed.substr(0, at), delivered.substr(0, at));
    EXPECT_EQ(installed.substr(at + 4), delivered.substr(at + 4));
}

TEST(ReplaceSetupMarkers, CountsAndReplacesAtEveryBytePosition) {
    const std::string marker = WordBytes(MarkerWord());
    struct Case {
        std::vector<size_t> positions; // where markers are put into a 64-byte buffer
        size_t expected;
    };
    const Case cases[] = {
        {{}, 0}, {{0}, 1}, {{1}, 1}, {{2}, 1}, {{3}, 1}, {{60}, 1}, {{0, 60}, 2}, {{5, 9}, 2},
    };
    for (const Case& c : cases) {
        std::string buffer(64, 'x');
        for (size_t p : c.positions)
            buffer.replace(p, 4, marker);
        std::string expected = buffer;
        for (size_t p : c.positions)
            expected.replace(p, 4, WordBytes(1));
        auto* bytes = reinterpret_cast<unsigned char*>(buffer.data());
        EXPECT_EQ(ReplaceSetupMarkers(bytes, buffer.size()), c.expected);
        EXPECT_EQ(buffer, expected);
    }
    // A marker cut off by the end of the buffer is not a whole word.
    std::string tail = "abcd" + marker.substr(0, 3);
    EXPECT_EQ(ReplaceSetupMarkers(reinterpret_cast<unsigned char*>(tail.data()), tail.size()), 0u);
    // Words that differ only in one byte are left alone.
    for (int i = 0; i < 4; ++i) {
        std::string near = marker;
        near[static_cast<size_t>(i)] = static_cast<char>(near[static_cast<size_t>(i)] ^ 1);
        EXPECT_EQ(ReplaceSetupMarkers(reinterpret_cast<unsigned char*>(near.data()), 4), 0u);
    }
}

class CopyProgramFileTest : public ::testing::Test {
protected:
    ScratchHome home;
    std::string source = home.Root() + "source";
    std::string destination = home.Root() + "destination";
};

TEST_F(CopyProgramFileTest, PlainCopyIsByteForByteOverSeveralChunks) {
    for (size_t size : {size_t(0), size_t(1), size_t(102400), size_t(102401), size_t(250000)}) {
        const std::string data = Filler(size);
        WriteFile(source, data);
        EXPECT_TRUE(CopyProgramFile(source, destination, false)) << size;
        EXPECT_EQ(ReadFile(destination), data) << size;
    }
}

TEST_F(CopyProgramFileTest, ReplacingNeedsExactlyOneMarker) {
    const std::string marker = WordBytes(MarkerWord());
    std::string one = Filler(300000);
    one.replace(200001, 4, marker);
    WriteFile(source, one);
    ASSERT_TRUE(CopyProgramFile(source, destination, true));
    std::string expected = one;
    expected.replace(200001, 4, WordBytes(1));
    EXPECT_EQ(ReadFile(destination), expected);

    std::string two = one;
    two.replace(17, 4, marker);
    for (const std::string& bad : {Filler(300000), two}) {
        WriteFile(source, bad);
        std::string reason;
        EXPECT_FALSE(CopyProgramFile(source, destination, true, &reason));
        EXPECT_EQ(reason, kMarkerNotFoundOnce);
        EXPECT_EQ(ReadFile(destination), expected); // the old file stays whole
    }
}

TEST_F(CopyProgramFileTest, CopyIsAStartableProgram) {
    WriteFile(source, Filler(10));
    WriteFile(destination, "old");
    ::chmod(destination.c_str(), 0600);
    ASSERT_TRUE(CopyProgramFile(source, destination, false));
    struct stat info {};
    ASSERT_EQ(::stat(destination.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0755u);
}

TEST_F(CopyProgramFileTest, FailuresLeaveNoFalseSuccess) {
    // A missing source leaves the old destination whole and says why.
    WriteFile(destination, "old");
    std::string reason;
    EXPECT_FALSE(CopyProgramFile(home.Root() + "missing", destination, false, &reason));
    EXPECT_EQ(reason, "No such file or directory");
    EXPECT_EQ(ReadFile(destination), "old");
    // A destination in a missing folder is not written.
    WriteFile(source, "data");
    EXPECT_FALSE(CopyProgramFile(source, home.Root() + "no/such/file", false, &reason));
    EXPECT_EQ(reason, "No such file or directory");
    // A symbolic link in the destination's place is replaced, never followed.
    const std::string target = home.Root() + "target";
    WriteFile(target, "keep");
    std::filesystem::remove(destination);
    ASSERT_EQ(::symlink(target.c_str(), destination.c_str()), 0);
    EXPECT_TRUE(CopyProgramFile(source, destination, false));
    EXPECT_EQ(ReadFile(target), "keep");
    EXPECT_FALSE(std::filesystem::is_symlink(destination));
    EXPECT_EQ(ReadFile(destination), "data");
    // No temporary file is left beside it.
    EXPECT_EQ(ListTree(home.Root()),
              (std::vector<std::string>{"destination", "home", "source", "target", "tmp"}));
}

} // namespace
