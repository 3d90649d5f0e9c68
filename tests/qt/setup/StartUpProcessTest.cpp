// Which run a program file starts: setup wizard or calculator, by its setup marker.
#include "SetupTestSupport.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <csignal>
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

namespace {

// A calculator ended by a signal (a session logging out, a kill from a terminal) closes its
// window as usual, so the settings file beside it is written anew.
TEST(StartUp, TerminationSignalStillSavesTheSettings) {
    ScratchHome home;
    home.SetEnv("QT_QPA_PLATFORM", "offscreen");
    home.SetEnv("CORVANE_REPORT_READY", "1");
    const std::string program = home.Root() + "corvane";
    WriteFile(program, ReadFile(InstalledBuildProgram()));
    ::chmod(program.c_str(), 0755);
    const std::string settingsPath = home.Root() + "corvane.cfg";

    for (const int signalNumber : {SIGTERM, SIGHUP, SIGINT}) {
        // Never saved before: the window's first placement turns -1 into a real rectangle.
        WriteFile(settingsPath, "pos: 0 0 0 0 -1\r\nexpr: \r\n 6*7\r\n");
        QProcess process;
        process.start(QString::fromStdString(program), {});
        ASSERT_TRUE(process.waitForStarted(60000));
        ASSERT_TRUE(process.waitForReadyRead(60000)) << "no ready line";
        EXPECT_EQ(process.readLine().trimmed().toStdString(), "ready");

        ::kill(static_cast<pid_t>(process.processId()), signalNumber);
        ASSERT_TRUE(process.waitForFinished(60000)) << signalNumber;
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << signalNumber;
        const std::string saved = ReadFile(settingsPath);
        EXPECT_EQ(saved.find("pos: 0 0 0 0 -1"), std::string::npos) << saved;
        EXPECT_NE(saved.find("expr: \r\n 6*7\r\n"), std::string::npos) << saved;
    }
}

} // namespace
