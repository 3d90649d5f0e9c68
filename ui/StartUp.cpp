#include "ui/StartUp.h"

#include "controls/AppSetup.h"
#include "controls/ResourceScheme.h"
#include "settings/TextTable.h"
#include "ui/MainDlg.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

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

} // namespace

int RunStartUp(int argc, char** argv) {
    PrepareApplication();
    QApplication app(argc, argv);
    app.setWindowIcon(ProgramIcon());
    StartControls(); // the shared button pictures, loaded once
    {
        CMainDlg dlg; // shows itself while it initialises
        QObject::connect(&dlg, &QDialog::finished, &app, &QCoreApplication::quit);
        ReportReadyIfAsked(dlg);
        app.exec();
    }
    ReleaseTexts();
    return 0;
}
