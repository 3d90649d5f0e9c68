// The HTML view: pending and appended writes, the navigation hook, the "about:blank" rule,
// pictures from the resource scheme, the focus after a click, and a fixed view's page.
#include "TestRegistry.h"

#include "qt/controls/CXDialog.h"
#include "qt/controls/CXWebBrowser.h"
#include "qt/controls/ResourceScheme.h"
#include "settings/TextTable.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWheelEvent>

#include <memory>
#include <string>
#include <vector>

namespace {

// Runs a script in the page and waits for its result.
QVariant Js(CXWebBrowser& view, const QString& script) {
    auto state = std::make_shared<std::pair<bool, QVariant>>(false, QVariant());
    view.page()->runJavaScript(script, [state](const QVariant& result) {
        state->first = true;
        state->second = result;
    });
    WaitUntil([&] { return state->first; }, 10000);
    return state->second;
}

// The owner side of the hook: records each address and answers with `allow`.
struct Owner {
    std::vector<std::string> urls;
    int allow = 0;
    static void Callback(BrowserHook* hook) {
        auto* owner = static_cast<Owner*>(hook->pOwner);
        owner->urls.emplace_back(hook->pszUrl ? hook->pszUrl : "(null)");
        hook->bAllow = owner->allow;
    }
};

// A wheel turn with Ctrl held, as a mouse gives it over the page.
void CtrlWheel(QWidget* target, QPoint at, int steps) {
    for (int i = 0; i < steps; ++i) {
        QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
    }
}

} // namespace

class WebBrowserTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> m_window;
    CXWebBrowser* m_view = nullptr; // a member of the window, as in the dialogs
    int m_completes = 0;

    bool ShowsText(const QString& text) {
        return Js(*m_view, QStringLiteral("document.body ? document.body.innerText : ''"))
            .toString()
            .contains(text);
    }
    // Writes and waits until the page has loaded (scripts run only then: one started during
    // the load may not answer until much later).
    bool Write(const std::string& html) {
        const int before = m_completes;
        const bool blankFirst = !m_view->HasDocument();
        m_view->WriteHtml(html);
        return WaitUntil([&] { return m_completes >= before + (blankFirst ? 2 : 1); }, 10000);
    }
    // Right-clicks the page and waits until the page has seen it; true if a menu opened (it
    // is closed again).
    bool RightClickOpensMenu(QWidget* target) {
        Js(*m_view, "window.menus = 0; document.oncontextmenu = function(){ ++window.menus; }");
        QTest::mouseClick(target, Qt::RightButton, {}, QPoint(30, 30));
        if (!WaitUntil([&] { return Js(*m_view, "window.menus").toInt() > 0; }))
            return false;
        WaitUntil([] { return QApplication::activePopupWidget() != nullptr; }, 500);
        QWidget* popup = QApplication::activePopupWidget();
        if (popup)
            popup->close();
        return popup != nullptr;
    }
    int PageWidth() { return Js(*m_view, "window.innerWidth").toInt(); }
    // Drags the mouse across the page's first line; the text it selected.
    QString DragSelects(QWidget* target) {
        Js(*m_view, "window.getSelection().removeAllRanges()");
        QTest::mousePress(target, Qt::LeftButton, {}, QPoint(2, 12));
        for (int x = 10; x <= 300; x += 10)
            QTest::mouseMove(target, QPoint(x, 12));
        QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(300, 12));
        WaitUntil(
            [&] { return !Js(*m_view, "window.getSelection().toString()").toString().isEmpty(); },
            1000);
        return Js(*m_view, "window.getSelection().toString()").toString();
    }
    // Whether something vetoes dragging the picture out of the page.
    bool DragIsRefused() {
        return Js(*m_view, "(function(){var e=new DragEvent('dragstart',{bubbles:true,"
                           "cancelable:true});document.getElementById('pic').dispatchEvent(e);"
                           "return e.defaultPrevented;})()")
            .toBool();
    }
    bool HasElement(const char* id) {
        return Js(*m_view, QStringLiteral("!!document.getElementById('%1')").arg(QLatin1String(id)))
            .toBool();
    }

private slots:
    void init() {
        m_window = std::make_unique<QWidget>();
        m_window->resize(400, 300);
        m_completes = 0;
        auto* view = new CXWebBrowser(); // reparented by CreateInParent
        QVERIFY(view->CreateInParent(QRect(0, 0, 400, 260), true, 1001, m_window.get()));
        m_view = view;
        connect(m_view, &CXWebBrowser::navigateComplete, this, [this] { ++m_completes; });
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    void twoWritesBeforeTheBlankPageAreOnePage() {
        QVERIFY(!m_view->HasDocument());
        m_view->WriteHtml("<p id='one'>first</p>");
        QVERIFY(Write("<p id='two'>second</p>"));
        QVERIFY(HasElement("two"));
        QVERIFY(m_view->HasDocument());
        QCOMPARE(Js(*m_view, "document.body.innerText.replace(/\\s+/g,' ').trim()").toString(),
                 QStringLiteral("first second"));
    }

    void writesAppendUntilCleared() {
        QTRY_VERIFY_WITH_TIMEOUT(m_view->HasDocument(), 10000);
        QVERIFY(Write("<p id='a'>A</p>"));
        QVERIFY(HasElement("a"));
        QVERIFY(Write("<p id='b'>B</p>"));
        QVERIFY(HasElement("b"));
        QVERIFY(ShowsText("A"));
        m_view->ClearDocument();
        QVERIFY(Write("<p id='c'>C</p>"));
        QVERIFY(HasElement("c"));
        QVERIFY(!ShowsText("A"));
        QVERIFY(!ShowsText("B"));
        QCOMPARE(m_view->DocumentText(), std::string("<p id='c'>C</p>"));
    }

    void clearWithoutDocumentDoesNothing() {
        m_view->ClearDocument();
        QVERIFY(Write("<p id='kept'>kept</p>"));
        QVERIFY(HasElement("kept"));
    }

    void longPageIsWrittenWhole() {
        std::string page = "<div>";
        for (int i = 0; i < 1500; ++i)
            page += "<span>" + std::to_string(i) + "</span> ";
        page += "<p id='end'>end</p></div>";
        QVERIFY(page.size() > 5120);
        QVERIFY(Write(page));
        QVERIFY(HasElement("end"));
        QCOMPARE(Js(*m_view, "document.getElementsByTagName('span').length").toInt(), 1500);
    }

    void hookCancelsNavigation() {
        Owner owner;
        QVERIFY(Write("<a id='k' href='keylnk:sin/'>sin</a><p id='stay'>stay</p>"
                      "<a id='b' href='keylnk:ababout:blank'>b</a>"));
        QVERIFY(HasElement("stay"));
        m_view->m_navigateHook.pfnCallback = &Owner::Callback;
        m_view->m_navigateHook.pOwner = &owner;
        m_view->m_navigateHook.pBrowser = m_view;
        const int completes = m_completes;
        Js(*m_view, "document.getElementById('k').click()");
        QTRY_COMPARE_WITH_TIMEOUT(owner.urls.size(), size_t(1), 10000);
        QCOMPARE(owner.urls[0], std::string("keylnk:sin/"));
        Js(*m_view, "document.getElementById('b').click()");
        QTRY_COMPARE_WITH_TIMEOUT(owner.urls.size(), size_t(2), 10000);
        QCOMPARE(owner.urls[1], std::string("keylnk:"));
        // The page and its script state stay; nothing completed.
        Js(*m_view, "window.marker = 7");
        QCOMPARE(Js(*m_view, "window.marker").toInt(), 7);
        QVERIFY(ShowsText("stay"));
        QCOMPARE(m_completes, completes);
        QCOMPARE(m_view->m_navigateHook.pszUrl, nullptr);
    }

    void allowedNavigationCompletes() {
        // A link to one of the program's pictures: the hook sees its address and lets it go.
        Owner owner;
        owner.allow = 1;
        const std::string address = ResourceAddress(131);
        QVERIFY(Write("<a id='pic' href='" + address + "'>picture</a>"));
        m_view->m_navigateHook.pfnCallback = &Owner::Callback;
        m_view->m_navigateHook.pOwner = &owner;
        const int completes = m_completes;
        Js(*m_view, "document.getElementById('pic').click()");
        QTRY_VERIFY_WITH_TIMEOUT(m_completes > completes, 10000);
        QCOMPARE(owner.urls, std::vector<std::string>{address});
        QCOMPARE(m_view->url().toString(QUrl::FullyEncoded).toStdString(), address);
        QVERIFY(!HasElement("pic"));
    }

    void withoutHookEveryLinkIsFollowed() {
        QVERIFY(Write("<a id='go' href='" + ResourceAddress(140) + "'>go</a>"));
        QVERIFY(HasElement("go"));
        const int completes = m_completes;
        Js(*m_view, "document.getElementById('go').click()");
        QTRY_VERIFY_WITH_TIMEOUT(m_completes > completes, 10000);
        QVERIFY(!HasElement("go"));
    }

    void picturesComeFromTheResourceScheme_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("131") << 131 << 26 << 22;
        QTest::newRow("133") << 133 << 26 << 22;
        QTest::newRow("140") << 140 << 293 << 64;
    }
    void picturesComeFromTheResourceScheme() {
        QFETCH(int, number);
        QFETCH(int, width);
        QFETCH(int, height);
        std::string page = "<img id='p' src='$' onload='window.done=1' onerror='window.done=2'>";
        ReplaceWithResourceAddress(page, "$", number);
        QVERIFY(page.find("$") == std::string::npos);
        QVERIFY(Write(page));
        QVERIFY(HasElement("p"));
        QTRY_VERIFY_WITH_TIMEOUT(Js(*m_view, "window.done || 0").toInt() != 0, 10000);
        QCOMPARE(Js(*m_view, "window.done").toInt(), 1);
        QCOMPARE(Js(*m_view, "document.getElementById('p').naturalWidth").toInt(), width);
        QCOMPARE(Js(*m_view, "document.getElementById('p').naturalHeight").toInt(), height);
    }

    void otherPathsAndNumbersAreRefused_data() {
        QTest::addColumn<QString>("address");
        const std::string good = ResourceAddress(131);
        const QString scheme = QString::fromLatin1(ResourceSchemeName());
        QTest::newRow("another program") << scheme + "://img/usr/bin/ls/131";
        QTest::newRow("unknown number") << QString::fromStdString(ResourceAddress(999));
        QTest::newRow("bitmap, not a picture") << QString::fromStdString(ResourceAddress(130));
        QTest::newRow("no number") << QString::fromStdString(good.substr(0, good.size() - 3));
        QTest::newRow("path with a dot-dot")
            << QString::fromStdString(ResourceAddress(131)).replace("/131", "/../x/131");
    }
    void otherPathsAndNumbersAreRefused() {
        QFETCH(QString, address);
        const std::string page = "<img id='p' src='" + address.toStdString() +
                                 "' onload='window.done=1' onerror='window.done=2'>";
        QVERIFY(Write(page));
        QVERIFY(HasElement("p"));
        QTRY_VERIFY_WITH_TIMEOUT(Js(*m_view, "window.done || 0").toInt() != 0, 10000);
        QCOMPARE(Js(*m_view, "window.done").toInt(), 2);
    }

    void pageFillsTheViewExactly() {
        QVERIFY(Write("<body style='margin:0'><p id='x'>x</p></body>"));
        m_view->resize(300, 200);
        QTRY_COMPARE_WITH_TIMEOUT(Js(*m_view, "window.innerWidth").toInt(), 300, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(Js(*m_view, "window.innerHeight").toInt(), 200, 10000);
    }

    void escInTheViewReachesTheDialog() {
        // The dialog sees key presses meant for the page before the page does.
        const DialogTemplate tmpl{800,
                                  "Page",
                                  200,
                                  120,
                                  DlgStyle::Popup | DlgStyle::Caption,
                                  8,
                                  {{DialogId::Cancel, ControlKind::PushButton, "Cancel", 140, 100,
                                    50, 14, CtlStyle::Hidden}}};
        CXDialog dialog(tmpl);
        CXWebBrowser view;
        view.CreateInParent(QRect(0, 0, 200, 120), true, 1001, &dialog);
        int completes = 0;
        connect(&view, &CXWebBrowser::navigateComplete, this, [&completes] { ++completes; });
        int cancels = 0;
        connect(&dialog, &CXDialog::commandReceived, this,
                [&cancels](int id, int) { cancels += id == DialogId::Cancel ? 1 : 0; });
        view.WriteHtml("<body><p>page</p></body>");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(WaitUntil([&] { return completes >= 2; }));
        QWidget* inner = view.focusProxy() ? view.focusProxy() : &view;
        QTest::mouseClick(inner, Qt::LeftButton, {}, QPoint(20, 20));
        QTRY_VERIFY_WITH_TIMEOUT(view.HasFocusWithin(), 10000);
        QTest::keyClick(inner, Qt::Key_Escape);
        QTRY_VERIFY(!dialog.isVisible()); // the hidden Cancel is enabled: Esc cancels
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(cancels, 1); // through the posted DialogId::Cancel, not the page
    }

    void fixedViewKeepsItsPage() {
        QVERIFY(Write("<body style='margin:0;font:16px sans-serif'><p id='page' style='margin:4px'>"
                      "page text to select</p><img id='pic' src='" +
                      ResourceAddress(131) + "'></body>"));
        QWidget* inner = m_view->focusProxy();
        QVERIFY(inner);
        // As a plain view it has a menu, zooms, selects and drags; each check below can see
        // that happen.
        QVERIFY(RightClickOpensMenu(inner));
        QVERIFY(DragSelects(inner).contains("page text"));
        QVERIFY(!DragIsRefused());
        const int width = PageWidth();
        QCOMPARE(width, 400);
        CtrlWheel(inner, QPoint(30, 30), 2);
        QTRY_VERIFY_WITH_TIMEOUT(PageWidth() < width, 10000);
        m_view->setZoomFactor(1.0);
        QTRY_COMPARE_WITH_TIMEOUT(PageWidth(), width, 10000);

        m_view->MakeFixed();
        Js(*m_view, "window.marker = 7");
        QVERIFY(!RightClickOpensMenu(inner));
        QCOMPARE(DragSelects(inner), QString());
        QVERIFY(DragIsRefused());
        // The mouse's back and forward buttons, the keys and the page's own actions.
        QTest::mouseClick(inner, Qt::BackButton, {}, QPoint(30, 30));
        QTest::mouseClick(inner, Qt::ForwardButton, {}, QPoint(30, 30));
        QTest::keyClick(inner, Qt::Key_Left, Qt::AltModifier);
        QTest::keyClick(inner, Qt::Key_Backspace);
        QTest::keyClick(inner, Qt::Key_F5);
        m_view->triggerPageAction(QWebEnginePage::Back);
        m_view->triggerPageAction(QWebEnginePage::Reload);
        Js(*m_view, "history.back(); location.reload(); true");
        // Zoom by the wheel and by the keys.
        CtrlWheel(inner, QPoint(30, 30), 2);
        QTest::keyClick(inner, Qt::Key_Plus, Qt::ControlModifier);
        QTest::keyClick(inner, Qt::Key_Minus, Qt::ControlModifier);
        QTest::qWait(500);                                 // time for any of them to act
        QCOMPARE(Js(*m_view, "window.marker").toInt(), 7); // neither left nor reloaded
        QVERIFY(ShowsText("page"));
        QCOMPARE(m_view->url(), CXWebBrowser::DocumentBaseUrl());
        QCOMPARE(PageWidth(), width);
        QCOMPARE(m_view->zoomFactor(), 1.0);
        QVERIFY(!m_view->history()->canGoBack());
    }

    void fixedViewStillFollowsLinks() {
        // The owner's hook still decides about every link of a fixed page.
        Owner owner;
        owner.allow = 1;
        m_view->MakeFixed();
        QVERIFY(Write("<a id='go' href='" + ResourceAddress(140) + "'>go</a>"));
        m_view->m_navigateHook.pfnCallback = &Owner::Callback;
        m_view->m_navigateHook.pOwner = &owner;
        const int completes = m_completes;
        Js(*m_view, "document.getElementById('go').click()");
        QTRY_VERIFY_WITH_TIMEOUT(m_completes > completes, 10000);
        QCOMPARE(owner.urls, std::vector<std::string>{ResourceAddress(140)});
        QVERIFY(!HasElement("go"));
    }

    void clickPutsFocusInTheView() {
        QVERIFY(Write("<div id='area' style='height:200px'>click here</div>"));
        QVERIFY(HasElement("area"));
        QLineEdit edit(m_window.get());
        edit.setGeometry(0, 270, 100, 20);
        edit.show();
        edit.setFocus();
        QTRY_VERIFY(edit.hasFocus());
        QVERIFY(!m_view->HasFocusWithin());
        QWidget* target = m_view->focusProxy() ? m_view->focusProxy() : m_view;
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(50, 50));
        QTRY_VERIFY_WITH_TIMEOUT(m_view->HasFocusWithin(), 10000);
    }
};

CONTROLS_TEST(WebBrowserTest);
#include "WebBrowserTest.moc"
