#include "UiTestSupport.h"

#include "qt/controls/AppSetup.h"
#include "qt/controls/CXWebBrowser.h"

#include <QWebEnginePage>

#include <cstdlib>

void PrepareUiTestProcess() {
    // The tests never touch a real display or a real user's files.
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    PrepareApplication();
}

void StartUiTestControls() {
    StartControls();
}

QVariant RunJs(QWebEnginePage* page, const QString& script, int timeoutMs) {
    QVariant result;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, timeoutMs))
        qWarning("script timed out: %s", qPrintable(script));
    return result;
}

bool WaitForWrittenPage(CXWebBrowser* view, int timeoutMs) {
    return QTest::qWaitFor(
        [view] {
            return view->HasDocument() && !view->DocumentText().empty() &&
                   view->url().scheme() != QLatin1String("about") && !view->page()->isLoading() &&
                   view->page()->url() == CXWebBrowser::DocumentBaseUrl();
        },
        timeoutMs);
}
