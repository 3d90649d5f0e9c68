#pragma once

#include <QApplication>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <QVariant>
#include <QtTest>

#include <functional>
#include <string>

class QWebEnginePage;
class CXWebBrowser;

// Process set-up for the window tests: the WebEngine preparation before the QApplication,
// the controls after it.
void PrepareUiTestProcess();
void StartUiTestControls();

// Runs a script in the page and waits for its result (invalid on time-out).
QVariant RunJs(QWebEnginePage* page, const QString& script, int timeoutMs = 15000);
// Waits until the view has loaded a written page (not the blank one).
bool WaitForWrittenPage(CXWebBrowser* view, int timeoutMs = 20000);

// Calls act once with the modal dialog of type T as soon as one is active; the caller then
// starts the action that runs the dialog (its exec() blocks until act closes it).
template <class T> void WhenModal(std::function<void(T*)> act) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(dialog);
    });
    timer->start();
}

// A scratch folder with the settings file path for one test.
struct ScratchSettings {
    QTemporaryDir dir;
    std::string Path() const { return (dir.path() + "/corvane.ini").toStdString(); }
};

#define UI_TEST_MAIN(TestClass)                                                                    \
    int main(int argc, char** argv) {                                                              \
        PrepareUiTestProcess();                                                                    \
        QApplication app(argc, argv);                                                              \
        StartUiTestControls();                                                                     \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
