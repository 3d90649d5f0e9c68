#pragma once

#include "uilogic/BrowserDocument.h"
#include "uilogic/BrowserHook.h"

#include <QWebEngineView>

#include <string>

class QWebEngineProfile;

// The embedded HTML view. It starts on "about:blank" and shows HTML text that its owner writes
// into its document; every navigation is first offered to m_navigateHook.
//
// The document is the text the view keeps (BrowserDocument): writes append to it until
// ClearDocument closes it, and it is shown with setHtml under a base address in the resource scheme
// (so the page's pictures load). The view's own loads are not offered to the hook. WebEngine itself
// commits links to a plain "about:blank" without asking the page, so those are followed unasked.
class CXWebBrowser : public QWebEngineView {
    Q_OBJECT
public:
    explicit CXWebBrowser(QWidget* parent = nullptr);
    ~CXWebBrowser() override;

    // Places the view in parent at rect (parent's client coordinates), gives it the control id
    // and starts the navigation to "about:blank". False when the view cannot be created.
    bool CreateInParent(const QRect& rect, bool visible, int id, QWidget* parent);

    // Appends HTML text (UTF-8) to the document, or keeps it pending until the document exists.
    void WriteHtml(const std::string& html);
    // Closes the document: the next WriteHtml starts a new page. Nothing without a document.
    void ClearDocument();

    bool HasDocument() const { return m_document.HasDocument(); }
    // The text of the open document (what the view shows).
    const std::string& DocumentText() const { return m_document.Text(); }
    // The base address of written pages: in the resource scheme, so their pictures load.
    static QUrl DocumentBaseUrl();

    // True when the keyboard focus is in the view (its focus proxy or a child of it).
    bool HasFocusWithin() const;

    // Keeps the page exactly as written for the rest of the run: no context menu, no going
    // back, forward or reloading (from the mouse, the keyboard or a script), no zoom, and no
    // dragging out of the page or dropping into it. The owner's hook still sees every link.
    void MakeFixed();
    bool IsFixed() const { return m_bFixed; }

    // The hook; the owner fills pfnCallback, pOwner and pBrowser after its first WriteHtml.
    BrowserHook m_navigateHook;

signals:
    // A navigation completed (after the pending text, if any, was written).
    void navigateComplete(const QUrl& url);

protected:
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Page;
    friend class Page;

    bool BeforeNavigate(const QUrl& url);
    void OnLoadFinished(bool ok);
    void ShowDocument();
    void WatchInnerWidgets();

    BrowserDocument m_document; // exists once "about:blank" has loaded
    bool m_bShowQueued = false;
    bool m_bFixed = false;
};
