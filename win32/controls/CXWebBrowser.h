#pragma once

#include "uilogic/BrowserDocument.h"
#include "uilogic/BrowserHook.h"
#include "win32/controls/BrowserEvents.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

struct IDispatch;
struct IOleClientSite;
struct IOleObject;
struct IWebBrowser2;

namespace browser_detail {
class Site;
class EventSink;
} // namespace browser_detail

// The open HTML document as the view writes into it: IHTMLDocument2's write and close.
class DocumentWriter {
public:
    virtual ~DocumentWriter() = default;
    // Hands the whole text to the document in one write.
    virtual void Write(const std::wstring& text) = 0;
    virtual void Close() = 0;
};

// The embedded HTML view: the WebBrowser control, hosted in a child window of its owner. It
// starts on "about:blank" and shows HTML text (UTF-8) that its owner writes into its document;
// every navigation is first offered to m_navigateHook. Without the HTML engine (a browser object
// that never gets a document) it stays an empty child window and its owner stays usable.
//
// A member of its owner dialog: create it from the dialog's initialisation, destroy it with the
// dialog (the window's WM_DESTROY does it too). All calls on the thread that created it.
class CXWebBrowser final : private browser_detail::BrowserEvents {
public:
    CXWebBrowser();
    ~CXWebBrowser();
    CXWebBrowser(const CXWebBrowser&) = delete;
    CXWebBrowser& operator=(const CXWebBrowser&) = delete;

    // Creates the view at rect (the parent's client coordinates) with the control id, style
    // WS_CHILD | dwStyle (WS_VISIBLE to show it), and starts the navigation to "about:blank".
    // False when the window cannot be made; a browser object that cannot be made leaves the
    // window without a page and still answers true.
    bool CreateInParent(const RECT& rect, DWORD dwStyle, int nID, HWND hParent);
    // The same in place of a placeholder control of a dialog template: its rectangle, id and
    // visibility; the placeholder is destroyed.
    bool CreateInPlaceOf(HWND hPlaceholder);
    // Closes and releases the document and the browser and destroys the window. Safe twice.
    void Destroy();

    // Appends HTML text to the document, or keeps it pending until the document exists.
    void WriteHtml(const std::string& html);
    // Closes the document: the next WriteHtml starts a new page. Nothing without a document.
    void ClearDocument();

    // Moves the view (the parent's client coordinates); the page fills it, with no border strip.
    void SetRect(const RECT& rect);
    void Show(bool visible);
    HWND GetHwnd() const { return m_hWnd; }
    bool HasBrowser() const { return m_pBrowser != nullptr; }
    bool HasDocument() const { return m_document.HasDocument(); }
    const BrowserDocument& Document() const { return m_document; }
    // True when the keyboard focus is in the view or in a window of the browser inside it.
    bool HasFocusWithin() const;

    // The hook; the owner fills pfnCallback, pOwner and pBrowser after its first WriteHtml.
    BrowserHook m_navigateHook;
    // Opens an outside address (a web or mail address a page links to) in the system's browser;
    // ShellExecuteW unless replaced.
    std::function<void(const std::string& url)> m_openExternal;

    // Where the view gets its document once a navigation has completed: the browser's current
    // document unless replaced (a test stands in for an HTML engine). Null: no document yet.
    std::function<std::unique_ptr<DocumentWriter>()> m_documentSource;

    // The browser's event sink (DWebBrowserEvents2) and client site; null before creation and
    // after Destroy. They are COM objects: borrow them, AddRef to keep them.
    IDispatch* EventSink() const;
    IOleClientSite* ClientSite() const;

    // The browser's events, as its sink receives them. url is the address as the browser gives
    // it; cancel is set to stop the navigation.
    void OnBeforeNavigate2(const std::wstring& url, bool& cancel) override;
    void OnNavigateComplete2() override;
    void OnNewWindow(const std::wstring& url, bool& cancel) override;

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateBrowser();
    std::unique_ptr<DocumentWriter> CurrentBrowserDocument() const;
    bool AcquireDocument();
    void FitBrowser() override;
    void ReleaseBrowser();
    void OpenExternal(const std::string& url) const;

    HWND m_hWnd = nullptr;
    bool m_bOleInitialized = false;
    browser_detail::Site* m_pSite = nullptr;
    browser_detail::EventSink* m_pSink = nullptr;
    IOleObject* m_pOleObject = nullptr;
    IWebBrowser2* m_pBrowser = nullptr;
    DWORD m_dwAdviseCookie = 0;
    std::unique_ptr<DocumentWriter> m_pDocument; // acquired once, kept until destroyed
    BrowserDocument m_document;
};
