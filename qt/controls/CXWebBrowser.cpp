#include "qt/controls/CXWebBrowser.h"

#include "qt/controls/ControlId.h"
#include "qt/controls/ResourceScheme.h"
#include "settings/TextTable.h"

#include <QApplication>
#include <QChildEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

// The page asks its view before every navigation.
class CXWebBrowser::Page : public QWebEnginePage {
public:
    Page(QWebEngineProfile* profile, CXWebBrowser* view)
        : QWebEnginePage(profile, view), m_view(view) {}

protected:
    // Frames ask as well as the page itself.
    bool acceptNavigationRequest(const QUrl& url, NavigationType type,
                                 bool /*isMainFrame*/) override {
        // The view's own loads ("about:blank" and the written document) are not offered.
        if (type == NavigationTypeTyped)
            return true;
        // A fixed page is never left for another entry of the history, nor loaded again (a
        // script's reload arrives as a navigation to the page's own address).
        if (m_view->IsFixed() && (type == NavigationTypeBackForward ||
                                  type == NavigationTypeReload || url == m_view->url()))
            return false;
        return m_view->BeforeNavigate(url);
    }

private:
    CXWebBrowser* m_view;
};

CXWebBrowser::CXWebBrowser(QWidget* parent) : QWebEngineView(parent) {}

CXWebBrowser::~CXWebBrowser() = default;

bool CXWebBrowser::CreateInParent(const QRect& rect, bool visible, int id, QWidget* parent) {
    setParent(parent);
    SetControlId(this, id);
    QWebEngineProfile* profile = QWebEngineProfile::defaultProfile();
    InstallResourceSchemeHandler(profile);
    auto* page = new Page(profile, this); // owned by the view
    page->settings()->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowAllUnknownUrlSchemes);
    setPage(page);
    connect(page, &QWebEnginePage::loadFinished, this, &CXWebBrowser::OnLoadFinished);
    setGeometry(rect);
    setVisible(visible);
    load(QUrl(QStringLiteral("about:blank")));
    return true;
}

QUrl CXWebBrowser::DocumentBaseUrl() {
    const std::string address = ResourceAddress(0);
    if (!address.empty())
        return QUrl(QString::fromStdString(address));
    return QUrl(QString::fromLatin1(ResourceSchemeName() + ":/"));
}

bool CXWebBrowser::HasFocusWithin() const {
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == this || isAncestorOf(focus));
}

namespace {

// In a world of its own, so the page's scripts neither see it nor can undo it: nothing of a
// fixed page can be selected or dragged.
const char kFixedPageScript[] = "(function(){var no=function(e){e.preventDefault();};"
                                "document.addEventListener('selectstart',no,true);"
                                "document.addEventListener('dragstart',no,true);})();";

} // namespace

void CXWebBrowser::MakeFixed() {
    m_bFixed = true;
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    QWebEngineScript script;
    script.setName(QStringLiteral("fixed-page"));
    script.setSourceCode(QString::fromLatin1(kFixedPageScript));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(true);
    page()->scripts().insert(script);
    if (m_document.HasDocument()) // the page already shown
        page()->runJavaScript(script.sourceCode(), QWebEngineScript::ApplicationWorld);
    page()->history()->clear();
    WatchInnerWidgets();
}

void CXWebBrowser::childEvent(QChildEvent* event) {
    QWebEngineView::childEvent(event);
    // The widget that shows the page is made (and may be made again) by the view itself.
    if (event->added() && m_bFixed)
        WatchInnerWidgets();
}

void CXWebBrowser::WatchInnerWidgets() {
    const auto inner = findChildren<QWidget*>();
    for (QWidget* widget : inner) {
        widget->removeEventFilter(this); // never twice
        widget->installEventFilter(this);
    }
}

namespace {

// Keys that go back, forward, reload or zoom in a web view, and everything with Ctrl or Alt:
// a fixed page takes none of them.
bool ChangesThePage(const QKeyEvent* key) {
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return true;
    switch (key->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_F5:
    case Qt::Key_Back:
    case Qt::Key_Forward:
    case Qt::Key_Refresh:
    case Qt::Key_Reload:
    case Qt::Key_ZoomIn:
    case Qt::Key_ZoomOut:
        return true;
    default:
        return false;
    }
}

bool IsHistoryButton(Qt::MouseButton button) {
    return button == Qt::BackButton || button == Qt::ForwardButton;
}

} // namespace

bool CXWebBrowser::eventFilter(QObject* watched, QEvent* event) {
    if (!m_bFixed)
        return QWebEngineView::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return IsHistoryButton(static_cast<QMouseEvent*>(event)->button());
    case QEvent::Wheel:
        return (static_cast<QWheelEvent*>(event)->modifiers() & Qt::ControlModifier) != 0;
    case QEvent::NativeGesture: // pinch to zoom
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return ChangesThePage(static_cast<QKeyEvent*>(event));
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        event->ignore();
        return true;
    case QEvent::ContextMenu:
        return true;
    default:
        return QWebEngineView::eventFilter(watched, event);
    }
}

void CXWebBrowser::WriteHtml(const std::string& html) {
    // An empty write only starts the new page after a close; nothing new to show.
    if (m_document.Write(html) && !html.empty())
        ShowDocument();
}

void CXWebBrowser::ClearDocument() {
    m_document.Close();
}

void CXWebBrowser::ShowDocument() {
    // Several writes in one turn of the event loop become one load.
    if (m_bShowQueued)
        return;
    m_bShowQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_bShowQueued = false;
            const std::string& text = m_document.Text();
            setHtml(QString::fromUtf8(text.data(), static_cast<int>(text.size())),
                    DocumentBaseUrl());
        },
        Qt::QueuedConnection);
}

bool CXWebBrowser::BeforeNavigate(const QUrl& url) {
    return OfferNavigation(m_navigateHook, url.toString(QUrl::FullyEncoded).toStdString());
}

void CXWebBrowser::OnLoadFinished(bool ok) {
    // A cancelled navigation also ends in loadFinished(false): not a completed one.
    if (!ok)
        return;
    const std::string pending = m_document.Acquire();
    if (m_bFixed)
        page()->history()->clear(); // nothing to go back to
    if (!pending.empty())
        WriteHtml(pending);
    emit navigateComplete(url());
}
