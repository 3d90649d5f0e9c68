// Which run a program file starts: setup wizard or calculator, by its setup marker.
#include "SetupTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

TEST(StartUp, SetupMarkerChoosesTheWizard) {
    ScratchHome home;
    home.SetEnv("QT_QPA_PLATFORM", "offscreen");
    home.SetEnv("CORVANE_TEST_REPORT_RUN", "1");
    const std::string delivered = ReadFile(DeliveredProgram());
    const size_t at = delivered.find(WordBytes(MarkerWord()));
    ASSERT_NE(at, std::string::npos);

    struct Case {
        std::uint32_t marker;
        const char* run;
    };
    const Case cases[] = {
        {MarkerWord(), "setup"},                            // as delivered
        {1, "calculator"},                                  // as installed
        {(MarkerWord() & 0xFFFFu) | 0x2222'0000u, "setup"}, // other high bits
        {0xAACCu, "setup"},
        {MarkerWord() ^ 1u, "calculator"}, // other low bits
        {MarkerWord() & 0xFFFF'0000u, "calculator"},
    };
    for (const Case& c : cases) {
        std::string file = delivered;
        file.replace(at, 4, WordBytes(c.marker));
        const std::string program = home.Root() + "corvane";
        WriteFile(program, file);
        ::chmod(program.c_str(), 0755);
        std::string output;
        EXPECT_EQ(RunProgram(program, {}, &output), 0) << std::hex << c.marker;
        EXPECT_EQ(output, std::string(c.run) + "\n") << std::hex << c.marker;
    }
    std::string output;
    EXPECT_EQ(RunProgram(InstalledBuildProgram(), {}, &output), 0);
    EXPECT_EQ(output, "calculator\n");
}

} // namespace
