#include "win32/controls/CXWebBrowser.h"

#include "platform/win32/WideText.h"
#include "win32/controls/BrowserSite.h"
#include "win32/controls/HtmlWriteArgs.h"

#include <exdisp.h>
#include <mshtml.h>
#include <shellapi.h>

namespace {

const wchar_t kViewClass[] = L"CXWebBrowser";

// The browser's HTML document: each write hands one BSTR to IHTMLDocument2::write.
class HtmlDocumentWriter final : public DocumentWriter {
public:
    explicit HtmlDocumentWriter(IHTMLDocument2* document) : m_document(document) {}
    ~HtmlDocumentWriter() override { m_document->Release(); }
    HtmlDocumentWriter(const HtmlDocumentWriter&) = delete;
    HtmlDocumentWriter& operator=(const HtmlDocumentWriter&) = delete;

    void Write(const std::wstring& text) override {
        SAFEARRAY* args = MakeHtmlWriteArgs(text);
        if (!args)
            return; // dropped: no memory for the text
        m_document->write(args);
        SafeArrayDestroy(args);
    }

    void Close() override { m_document->close(); }

private:
    IHTMLDocument2* m_document;
};

void RegisterViewClass(HINSTANCE instance, WNDPROC windowProc) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(instance, kViewClass, &wc))
        return;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    wc.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
    wc.lpszClassName = kViewClass;
    RegisterClassExW(&wc);
}

} // namespace

CXWebBrowser::CXWebBrowser() {
    m_openExternal = [](const std::string& url) {
        std::wstring wide;
        if (Utf8ToWide(url, wide))
            ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    };
    m_documentSource = [this] { return CurrentBrowserDocument(); };
}

CXWebBrowser::~CXWebBrowser() {
    Destroy();
}

bool CXWebBrowser::CreateInParent(const RECT& rect, DWORD dwStyle, int nID, HWND hParent) {
    if (m_hWnd || !hParent)
        return false;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterViewClass(instance, &WindowProc);
    m_hWnd = CreateWindowExW(0, kViewClass, L"", WS_CHILD | WS_CLIPCHILDREN | dwStyle, rect.left,
                             rect.top, rect.right - rect.left, rect.bottom - rect.top, hParent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(nID)), instance, this);
    if (!m_hWnd)
        return false;
    CreateBrowser(); // without a browser the window simply stays empty
    return true;
}

bool CXWebBrowser::CreateInPlaceOf(HWND hPlaceholder) {
    const HWND parent = hPlaceholder ? GetParent(hPlaceholder) : nullptr;
    if (!parent)
        return false;
    RECT rect;
    GetWindowRect(hPlaceholder, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    const bool visible = (GetWindowLongW(hPlaceholder, GWL_STYLE) & WS_VISIBLE) != 0;
    if (!CreateInParent(rect, visible ? WS_VISIBLE : 0, GetDlgCtrlID(hPlaceholder), parent))
        return false;
    // The view takes the placeholder's place in the tab order too.
    SetWindowPos(m_hWnd, hPlaceholder, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DestroyWindow(hPlaceholder);
    return true;
}

bool CXWebBrowser::CreateBrowser() {
    // In-place activation needs OLE on this thread; a thread already in the multithreaded
    // apartment cannot host the browser.
    m_bOleInitialized = SUCCEEDED(OleInitialize(nullptr));
    if (!m_bOleInitialized)
        return false;
    m_pSite = new browser_detail::Site(
        this, m_hWnd); // reference-counted: ends itself with its last Release
    m_pSink = new browser_detail::EventSink(this);
    void* object = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                &object)) ||
        !object)
        return false;
    m_pOleObject = static_cast<IOleObject*>(object);
    IOleClientSite* site = static_cast<IOleClientSite*>(m_pSite);
    m_pOleObject->SetClientSite(site);
    OleSetContainedObject(m_pOleObject, TRUE);
    RECT rect;
    GetClientRect(m_hWnd, &rect);
    m_pOleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0, m_hWnd, &rect);

    object = nullptr;
    if (FAILED(m_pOleObject->QueryInterface(IID_IWebBrowser2, &object)) || !object)
        return false;
    m_pBrowser = static_cast<IWebBrowser2*>(object);
    m_pBrowser->put_Silent(VARIANT_TRUE); // a script error never opens a box over the dialog
    // A file dropped on the page would replace it; the pages take no drops.
    m_pBrowser->put_RegisterAsDropTarget(VARIANT_FALSE);

    object = nullptr;
    if (SUCCEEDED(m_pBrowser->QueryInterface(IID_IConnectionPointContainer, &object)) && object) {
        auto* container = static_cast<IConnectionPointContainer*>(object);
        IConnectionPoint* point = nullptr;
        if (SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &point)) && point) {
            if (FAILED(point->Advise(static_cast<IDispatch*>(m_pSink), &m_dwAdviseCookie)))
                m_dwAdviseCookie = 0;
            point->Release();
        }
        container->Release();
    }
    FitBrowser();

    VARIANT url;
    VariantInit(&url);
    url.vt = VT_BSTR;
    url.bstrVal = SysAllocString(L"about:blank");
    VARIANT none;
    VariantInit(&none);
    if (url.bstrVal)
        m_pBrowser->Navigate2(&url, &none, &none, &none, &none);
    VariantClear(&url);
    AcquireDocument(); // once; otherwise when the blank page has loaded
    return true;
}

std::unique_ptr<DocumentWriter> CXWebBrowser::CurrentBrowserDocument() const {
    if (!m_pBrowser)
        return nullptr;
    IDispatch* dispatch = nullptr;
    if (FAILED(m_pBrowser->get_Document(&dispatch)) || !dispatch)
        return nullptr; // the first navigation has not completed yet
    void* document = nullptr;
    const HRESULT hr = dispatch->QueryInterface(IID_IHTMLDocument2, &document);
    dispatch->Release();
    if (FAILED(hr) || !document)
        return nullptr;
    return std::make_unique<HtmlDocumentWriter>(static_cast<IHTMLDocument2*>(document));
}

bool CXWebBrowser::AcquireDocument() {
    if (m_pDocument)
        return true;
    if (!m_hWnd || !m_documentSource)
        return false;
    m_pDocument = m_documentSource();
    if (!m_pDocument)
        return false;
    // Text written while there was no document goes in now, as one page.
    const std::string pending = m_document.Acquire();
    if (!pending.empty())
        WriteHtml(pending);
    return true;
}

void CXWebBrowser::WriteHtml(const std::string& html) {
    std::wstring wide;
    if (!Utf8ToWide(html, wide))
        return; // dropped: not text
    AcquireDocument();
    const bool newPage = m_document.Text().empty() || m_document.IsClosed();
    if (!m_document.Write(html) || !m_pDocument)
        return; // pending until the document exists
    if (newPage) {
        const std::string asked = AskForCurrentDocumentMode(html);
        if (asked.size() != html.size())
            Utf8ToWide(asked, wide);
    }
    if (!wide.empty())
        m_pDocument->Write(wide);
}

void CXWebBrowser::ClearDocument() {
    if (!m_pDocument)
        return;
    m_document.Close();
    m_pDocument->Close();
}

void CXWebBrowser::OnBeforeNavigate2(const std::wstring& url, bool& cancel) {
    const std::string address = WideToUtf8(url);
    if (!OfferNavigation(m_navigateHook, address)) {
        cancel = true; // the browser stays on the current page
        return;
    }
    // The program's pages never leave for the web inside a small view.
    if (IsExternalAddress(address)) {
        cancel = true;
        OpenExternal(address);
    }
}

void CXWebBrowser::OnNavigateComplete2() {
    AcquireDocument(); // writes the pending text, if any
}

void CXWebBrowser::OnNewWindow(const std::wstring& url, bool& cancel) {
    cancel = true; // no window of the browser's own
    const std::string address = WideToUtf8(url);
    if (IsExternalAddress(address))
        OpenExternal(address);
}

void CXWebBrowser::OpenExternal(const std::string& url) const {
    if (m_openExternal)
        m_openExternal(url);
}

void CXWebBrowser::SetRect(const RECT& rect) {
    if (m_hWnd)
        MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   TRUE);
}

void CXWebBrowser::Show(bool visible) {
    if (m_hWnd)
        ShowWindow(m_hWnd, visible ? SW_SHOWNA : SW_HIDE);
}

bool CXWebBrowser::HasFocusWithin() const {
    const HWND focus = GetFocus();
    return m_hWnd && focus && (focus == m_hWnd || IsChild(m_hWnd, focus));
}

IDispatch* CXWebBrowser::EventSink() const {
    return m_pSink;
}

IOleClientSite* CXWebBrowser::ClientSite() const {
    return m_pSite;
}

void CXWebBrowser::FitBrowser() {
    if (!m_pOleObject || !m_hWnd)
        return;
    void* object = nullptr;
    if (FAILED(m_pOleObject->QueryInterface(IID_IOleInPlaceObject, &object)) || !object)
        return;
    auto* inPlace = static_cast<IOleInPlaceObject*>(object);
    RECT rect;
    GetClientRect(m_hWnd, &rect); // the whole client area: no client edge to leave out
    inPlace->SetObjectRects(&rect, &rect);
    inPlace->Release();
}

void CXWebBrowser::ReleaseBrowser() {
    if (m_pDocument) {
        m_pDocument->Close();
        m_pDocument.reset();
    }
    if (m_pBrowser && m_dwAdviseCookie) {
        void* object = nullptr;
        if (SUCCEEDED(m_pBrowser->QueryInterface(IID_IConnectionPointContainer, &object)) &&
            object) {
            auto* container = static_cast<IConnectionPointContainer*>(object);
            IConnectionPoint* point = nullptr;
            if (SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &point)) &&
                point) {
                point->Unadvise(m_dwAdviseCookie);
                point->Release();
            }
            container->Release();
        }
        m_dwAdviseCookie = 0;
    }
    if (m_pBrowser) {
        m_pBrowser->Release();
        m_pBrowser = nullptr;
    }
    if (m_pOleObject) {
        void* object = nullptr;
        if (SUCCEEDED(m_pOleObject->QueryInterface(IID_IOleInPlaceObject, &object)) && object) {
            static_cast<IOleInPlaceObject*>(object)->InPlaceDeactivate();
            static_cast<IOleInPlaceObject*>(object)->Release();
        }
        m_pOleObject->Close(OLECLOSE_NOSAVE);
        m_pOleObject->SetClientSite(nullptr);
        m_pOleObject->Release();
        m_pOleObject = nullptr;
    }
    if (m_pSink) {
        m_pSink->Detach();
        m_pSink->Release();
        m_pSink = nullptr;
    }
    if (m_pSite) {
        m_pSite->Detach();
        m_pSite->Release();
        m_pSite = nullptr;
    }
    if (m_bOleInitialized) {
        OleUninitialize();
        m_bOleInitialized = false;
    }
}

void CXWebBrowser::Destroy() {
    ReleaseBrowser();
    if (m_hWnd) {
        const HWND hWnd = m_hWnd;
        m_hWnd = nullptr;
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        DestroyWindow(hWnd);
    }
}

LRESULT CALLBACK CXWebBrowser::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* view = reinterpret_cast<CXWebBrowser*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (view) {
        switch (message) {
        case WM_SIZE:
            view->FitBrowser();
            return 0;
        case WM_DESTROY:
            // The owner dialog is going: the browser goes first, while its window still exists.
            SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
            view->ReleaseBrowser();
            view->m_hWnd = nullptr;
            return 0;
        default:
            break;
        }
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}
