// Saves PNG pictures of the calculator's windows for a person to look at:
//   ui_screenshots <folder>
// main window with and without the keypad, a keypad key under the mouse, Settings, About, Help.
#include "tests/qt/ui/UiTestSupport.h"

#include "qt/controls/CXButton.h"
#include "qt/ui/AboutDlg.h"
#include "qt/ui/HelpDlg.h"
#include "qt/ui/MainDlg.h"
#include "qt/ui/SettingsDlg.h"
#include "settings/CalcSettings.h"
#include "settings/SettingsFile.h"
#include "uilogic/DialogTemplates.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QWebEnginePage>

#include <cstdio>

namespace {

const char kSampleSheet[] = "// shopping\r\n"
                            "price=24.90\r\n"
                            "count=3\r\n"
                            "total=price*count\r\n"
                            "total*1.2\r\n"
                            "2/3\r\n"
                            "sqrt(2)*pi\r\n"
                            "0xFF00|0x0F,x\r\n"
                            "10,b\r\n"
                            "-1,u\r\n"
                            "1/0\r\n"
                            "sin(30*pi/180)";

bool Save(QWidget* widget, const QString& folder, const char* name) {
    // Let the page views paint their latest frame first.
    QTest::qWait(300);
    const QString path = folder + "/" + name + ".png";
    const bool ok = widget->grab().save(path);
    std::printf("%s %s\n", ok ? "saved" : "FAILED", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    PrepareUiTestProcess();
    QApplication app(argc, argv);
    StartUiTestControls();
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(folder);
    QTemporaryDir scratch;
    const std::string settingsPath = (scratch.path() + "/corvane.ini").toStdString();

    g_settings = CalcSettings();
    g_settings.m_expressions = kSampleSheet;
    SaveSettings(settingsPath, g_settings);
    bool ok = true;
    {
        CMainDlg dlg(settingsPath);
        if (!QTest::qWaitFor([&] { return dlg.IsPanelLoaded(); }, 20000))
            return 1;
        ok &= Save(&dlg, folder, "main-window");

        // A key under the mouse: the page's own hover handler.
        QWebEnginePage* page = dlg.PanelView()->page();
        const QVariantList xy =
            RunJs(page, "(function(){var r=document.getElementById('n8').getBoundingClientRect();"
                        "return [r.left+r.width/2,r.top+r.height/2];})()")
                .toList();
        if (xy.size() == 2 && dlg.PanelView()->focusProxy()) {
            const QPoint at(qRound(xy[0].toDouble()), qRound(xy[1].toDouble()));
            QTest::mouseMove(dlg.PanelView()->focusProxy(), at);
            const bool hot = QTest::qWaitFor(
                [&] {
                    return RunJs(page, "document.getElementById('n8').className").toString() ==
                           "d hot";
                },
                5000);
            if (!hot)
                std::printf("the key did not light up\n");
        }
        ok &= Save(&dlg, folder, "keypad-hover");

        QTest::mouseClick(dlg.Button(MainId::Panel), Qt::LeftButton);
        if (!QTest::qWaitFor([&] { return !dlg.PanelView()->isVisible(); }, 5000))
            std::printf("the keypad did not hide\n");
        ok &= Save(&dlg, folder, "main-window-no-keypad");
    }
    {
        CSettingsDlg dlg;
        dlg.show();
        ok &= Save(&dlg, folder, "settings");
    }
    {
        CAboutDlg dlg;
        dlg.show();
        WaitForWrittenPage(dlg.PageView());
        ok &= Save(&dlg, folder, "about");
    }
    {
        CHelpDlg dlg;
        dlg.resize(640, 480);
        dlg.show();
        WaitForWrittenPage(dlg.PageView());
        ok &= Save(&dlg, folder, "help");
    }
    return ok ? 0 : 1;
}
