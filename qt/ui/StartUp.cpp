#include "qt/ui/StartUp.h"

#include "platform/CommandLine.h"
#include "qt/controls/AppSetup.h"
#include "qt/controls/ResourceScheme.h"
#include "qt/setup/MessageBox.h"
#include "qt/setup/SetupMarker.h"
#include "qt/setup/SetupWizard.h"
#include "qt/ui/MainDlg.h"
#include "qt/ui/QuitOnSignal.h"
#include "settings/TextTable.h"
#include "setuplogic/Installer.h"
#include "uilogic/StartUpChoice.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// With CORVANE_REPORT_READY set, one line "ready" goes to stdout once the keypad has loaded,
// so that scripts can time the start-up.
void ReportReadyIfAsked(CMainDlg& dlg) {
    if (!std::getenv("CORVANE_REPORT_READY"))
        return;
    QObject::connect(&dlg, &CMainDlg::panelLoaded, [] {
        std::printf("ready\n");
        std::fflush(stdout);
    });
}

// With CORVANE_TEST_REPORT_RUN set, the process prints which run it chose ("setup" or
// "calculator") and ends instead of showing its window: the start-up tests check the choice.
bool ReportRunIfAsked(StartRun run) {
    if (!std::getenv("CORVANE_TEST_REPORT_RUN"))
        return false;
    std::printf("%s\n", StartRunName(run));
    std::fflush(stdout);
    return true;
}

// The calculator's web views show only its own fixed pages (the keypad, Help and About), which
// cannot be navigated away: one process serves them. Starting the engine's helper processes
// (two zygotes, then a renderer) would take most of the time to a fully drawn window. A user's
// own engine flags are left as they are.
void RunWebViewsInProcess() {
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--single-process");
}

void RunCalculator(QApplication& app) {
    RunWebViewsInProcess(); // before the keypad starts the engine
    // The window shows itself while it initialises; the application's loop runs until it ends.
    CMainDlg dlg;
    QObject::connect(&dlg, &QDialog::finished, &app, &QCoreApplication::quit);
    ReportReadyIfAsked(dlg);
    const QuitOnSignal quitOnSignal;
    app.exec();
}

} // namespace

int RunStartUp(int argc, char** argv) {
    PrepareApplication();
    QApplication app(argc, argv);
    app.setWindowIcon(ProgramIcon());
    StartControls(); // the shared button pictures, loaded once

    // Read after QApplication has taken its own options out of argv.
    const std::vector<std::string> arguments = GetUtf8Arguments(argc, argv);
    const StartRun run = ChooseStartRun(arguments, IsSetupPackage());
    int exitCode = 0;
    switch (run) {
    case StartRun::Uninstall: {
        CQtSetupPrompt prompt;
        CheckUninstallRequest(ArgumentsAfterProgram(arguments), prompt, exitCode);
        break;
    }
    case StartRun::Setup:
        if (!ReportRunIfAsked(run)) {
            CSetupFrame wizard;
            wizard.exec();
            exitCode = wizard.ExitCode();
        }
        break;
    case StartRun::Calculator:
        if (!ReportRunIfAsked(run))
            RunCalculator(app);
        break;
    }
    ReleaseTexts();
    return exitCode;
}
