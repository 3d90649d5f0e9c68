// The Win32 page view in a real owner window. Wine here has no HTML engine: the browser object
// may be made, but it never gets a document, so the document is stood in for where a test needs
// one, and the browser's events are raised by calling the event sink as the browser would.
#include "win32/controls/CXWebBrowser.h"

#include "platform/win32/WideText.h"
#include "settings/TextTable.h"
#include "uilogic/KeyEdit.h"

#include <ole2.h>

#include <exdispid.h>
#include <gtest/gtest.h>
#include <mshtmhst.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Runs the thread's messages for a while, as the dialog's loop would.
void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    MSG msg;
    do {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

std::wstring TextOf(HWND hWnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hWnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hWnd, &text[0], static_cast<int>(text.size()))));
    return text;
}

// A top-level owner window with a multi-line edit control, like the main window's panes. Shown
// only where a test needs it on the screen: without a window manager, Wine waits about two
// seconds for a shown top-level window to go.
class OwnerWindow {
public:
    explicit OwnerWindow(bool shown = false) {
        m_hWnd =
            CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | (shown ? WS_VISIBLE : 0),
                            10, 10, 500, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        m_hEdit =
            CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL,
                            0, 0, 300, 300, m_hWnd, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~OwnerWindow() {
        if (IsWindow(m_hWnd))
            DestroyWindow(m_hWnd);
    }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;

    HWND m_hWnd;
    HWND m_hEdit;
};

// What the browser hands its sink: the arguments last first, as DISPPARAMS carries them.
struct NavigateEvent {
    explicit NavigateEvent(const std::wstring& address, bool byReference = true) {
        VariantInit(&url);
        url.vt = VT_BSTR;
        url.bstrVal = SysAllocString(address.c_str());
        for (VARIANT& arg : args)
            VariantInit(&arg);
        for (VARIANT& value : empty)
            VariantInit(&value);
        args[0].vt = VT_BYREF | VT_BOOL; // Cancel
        args[0].pboolVal = &cancel;
        for (int i = 1; i <= 4; ++i) { // Headers, PostData, TargetFrameName, Flags
            args[i].vt = VT_BYREF | VT_VARIANT;
            args[i].pvarVal = &empty[i - 1];
        }
        if (byReference) {
            args[5].vt = VT_BYREF | VT_VARIANT; // URL
            args[5].pvarVal = &url;
        } else {
            args[5] = url; // borrowed: cleared once, through url
        }
        args[6].vt = VT_DISPATCH; // pDisp
        args[6].pdispVal = nullptr;
        params.rgvarg = args;
        params.cArgs = 7;
    }
    ~NavigateEvent() { VariantClear(&url); }
    NavigateEvent(const NavigateEvent&) = delete;
    NavigateEvent& operator=(const NavigateEvent&) = delete;

    HRESULT Raise(IDispatch* sink) {
        return sink->Invoke(DISPID_BEFORENAVIGATE2, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr,
                            nullptr, nullptr);
    }

    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT url;
    VARIANT empty[4];
    VARIANT args[7];
    DISPPARAMS params = {};
};

HRESULT RaiseCompleted(IDispatch* sink, DISPID id) {
    VARIANT args[2];
    VariantInit(&args[0]);
    VariantInit(&args[1]);
    args[0].vt = VT_BSTR;
    args[0].bstrVal = SysAllocString(L"about:blank");
    args[1].vt = VT_DISPATCH;
    args[1].pdispVal = nullptr;
    DISPPARAMS params = {args, nullptr, 2, 0};
    const HRESULT hr =
        sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    VariantClear(&args[0]);
    return hr;
}

// The keypad's hook as the main window has it: a key link edits the pane, anything else is
// followed.
struct PanelOwner {
    HWND hEdit = nullptr;
    std::vector<std::string> offered;

    static void OnPanelNavigate(BrowserHook* hook) {
        auto* owner = static_cast<PanelOwner*>(hook->pOwner);
        owner->offered.push_back(hook->pszUrl);
        std::string key;
        if (!KeyNameFromAddress(hook->pszUrl, GetText(TextId::KeyLinkPrefix), key)) {
            hook->bAllow = 1;
            return;
        }
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(owner->hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        const std::wstring text = TextOf(owner->hEdit);
        const KeyEdit edit = ApplyKey(key, std::u16string(text.begin(), text.end()),
                                      static_cast<int>(start), static_cast<int>(end));
        if (edit.textChanged) {
            const std::wstring newText(edit.text.begin(), edit.text.end());
            SetWindowTextW(owner->hEdit, newText.c_str());
            SendMessageW(owner->hEdit, EM_SETSEL, static_cast<WPARAM>(edit.caret), edit.caret);
        }
    }
};

// A document that records what the view writes into it.
struct DocumentLog {
    std::vector<std::wstring> writes;
    int closes = 0;
    bool destroyed = false;
};

class RecordingDocument final : public DocumentWriter {
public:
    explicit RecordingDocument(DocumentLog& log) : m_log(log) {}
    ~RecordingDocument() override { m_log.destroyed = true; }
    RecordingDocument(const RecordingDocument&) = delete;
    RecordingDocument& operator=(const RecordingDocument&) = delete;
    void Write(const std::wstring& text) override { m_log.writes.push_back(text); }
    void Close() override { ++m_log.closes; }

private:
    DocumentLog& m_log;
};

// The UTF-16 form, failing the test for text that is not UTF-8.
std::wstring CheckedWide(const std::string& utf8) {
    std::wstring wide;
    EXPECT_TRUE(Utf8ToWide(utf8, wide));
    return wide;
}

const RECT kPanelRect = {300, 0, 478, 300};
const std::string kModeTag = "<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">";

TEST(WebBrowserTest, AViewWithoutADocumentLeavesItsOwnerUsable) {
    OwnerWindow owner(true);
    CXWebBrowser view;
    PanelOwner panel; // hooked from the start, to see what the browser itself offers
    panel.hEdit = owner.m_hEdit;
    view.m_navigateHook.pfnCallback = &PanelOwner::OnPanelNavigate;
    view.m_navigateHook.pOwner = &panel;
    ASSERT_TRUE(view.CreateInParent(kPanelRect, WS_VISIBLE, 1001, owner.m_hWnd));
    EXPECT_TRUE(view.HasBrowser()); // the object is there; only its HTML engine is missing
    EXPECT_EQ(GetParent(view.GetHwnd()), owner.m_hWnd);
    EXPECT_EQ(GetDlgCtrlID(view.GetHwnd()), 1001);
    view.WriteHtml("<html><head></head><body>keys</body></html>");
    Pump(1500); // whatever the browser does with "about:blank", it has had its turn

    EXPECT_FALSE(view.HasDocument());
    EXPECT_EQ(view.Document().Pending(), "<html><head></head><body>keys</body></html>");
    std::string offered;
    for (const std::string& url : panel.offered)
        offered += url + " ";
    RecordProperty("offered_by_the_browser", offered);
    // The browser's own navigation came through the event connection to the hook, and went on.
    ASSERT_FALSE(panel.offered.empty());
    EXPECT_EQ(panel.offered[0], "about:blank");
    // The owner answers, takes the focus and typed keys, and the view moves with the layout.
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutW(owner.m_hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer), 0);
    SetForegroundWindow(owner.m_hWnd);
    SetFocus(owner.m_hEdit);
    EXPECT_EQ(GetFocus(), owner.m_hEdit);
    EXPECT_FALSE(view.HasFocusWithin());
    for (wchar_t ch : std::wstring(L"1+2"))
        PostMessageW(owner.m_hEdit, WM_CHAR, ch, 1);
    Pump(100);
    EXPECT_EQ(TextOf(owner.m_hEdit), L"1+2");
    view.SetRect(RECT{320, 10, 498, 250});
    RECT placed;
    GetWindowRect(view.GetHwnd(), &placed);
    MapWindowPoints(nullptr, owner.m_hWnd, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 320);
    EXPECT_EQ(placed.bottom - placed.top, 240);
    view.Show(false);
    EXPECT_FALSE(IsWindowVisible(view.GetHwnd()));
    EXPECT_EQ(GetFocus(), owner.m_hEdit);

    view.Destroy();
    EXPECT_EQ(view.GetHwnd(), nullptr);
    EXPECT_EQ(GetFocus(), owner.m_hEdit);
    view.Destroy(); // twice is harmless
}

TEST(WebBrowserTest, APlaceholderControlGivesTheViewItsPlaceAndId) {
    OwnerWindow owner;
    HWND placeholder =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 20, 30, 200, 100, owner.m_hWnd,
                        reinterpret_cast<HMENU>(INT_PTR{1005}), GetModuleHandleW(nullptr), nullptr);
    CXWebBrowser view;
    ASSERT_TRUE(view.CreateInPlaceOf(placeholder));
    EXPECT_FALSE(IsWindow(placeholder));
    EXPECT_EQ(GetDlgItem(owner.m_hWnd, 1005), view.GetHwnd());
    EXPECT_NE(GetWindowLongW(view.GetHwnd(), GWL_STYLE) & WS_VISIBLE, 0);
    RECT client;
    GetClientRect(view.GetHwnd(), &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 100);
}

TEST(WebBrowserTest, AKeyLinkIsAppliedThroughTheHookAndCancelled) {
    OwnerWindow owner;
    CXWebBrowser view;
    ASSERT_TRUE(view.CreateInParent(kPanelRect, WS_VISIBLE, 1001, owner.m_hWnd));
    ASSERT_NE(view.EventSink(), nullptr);
    PanelOwner panel;
    panel.hEdit = owner.m_hEdit;
    view.m_navigateHook.pfnCallback = &PanelOwner::OnPanelNavigate;
    view.m_navigateHook.pOwner = &panel;
    view.m_navigateHook.pBrowser = &view;
    std::vector<std::string> opened;
    view.m_openExternal = [&opened](const std::string& url) { opened.push_back(url); };
    SetWindowTextW(owner.m_hEdit, L"1+2+3");
    SendMessageW(owner.m_hEdit, EM_SETSEL, 5, 5);

    const std::string prefix = GetText(TextId::KeyLinkPrefix);
    {
        NavigateEvent key(CheckedWide(prefix + "sin/"));
        EXPECT_EQ(key.Raise(view.EventSink()), S_OK);
        EXPECT_EQ(key.cancel, VARIANT_TRUE);
    }
    EXPECT_EQ(TextOf(owner.m_hEdit), L"1+2+3sin()");
    DWORD start = 0;
    SendMessageW(owner.m_hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    EXPECT_EQ(start, 9u);
    {
        // The address as a plain BSTR rather than a reference works the same.
        NavigateEvent key(CheckedWide(prefix + "n7"), false);
        key.Raise(view.EventSink());
        EXPECT_EQ(key.cancel, VARIANT_TRUE);
    }
    EXPECT_EQ(TextOf(owner.m_hEdit), L"1+2+3sin(7)");
    {
        // An address ending in about:blank reaches the hook without it.
        NavigateEvent key(CheckedWide(prefix + "ababout:blank"));
        key.Raise(view.EventSink());
        EXPECT_EQ(key.cancel, VARIANT_TRUE);
    }
    {
        NavigateEvent link(L"about:blank#start"); // a link inside the page: followed
        link.Raise(view.EventSink());
        EXPECT_EQ(link.cancel, VARIANT_FALSE);
    }
    EXPECT_EQ(TextOf(owner.m_hEdit), L"1+2+3sin(7)");
    ASSERT_EQ(panel.offered.size(), size_t(4));
    EXPECT_EQ(panel.offered[0], prefix + "sin/");
    EXPECT_EQ(panel.offered[2], prefix);
    EXPECT_EQ(panel.offered[3], "about:blank#start");
    EXPECT_TRUE(opened.empty());
}

TEST(WebBrowserTest, OutsideAddressesOpenInTheSystemBrowserAndNotInTheView) {
    OwnerWindow owner;
    CXWebBrowser view;
    ASSERT_TRUE(view.CreateInParent(kPanelRect, WS_VISIBLE, 1001, owner.m_hWnd));
    std::vector<std::string> opened;
    view.m_openExternal = [&opened](const std::string& url) { opened.push_back(url); };
    {
        NavigateEvent web(L"https://corvane.example/Zoë"); // no hook: About and Help
        web.Raise(view.EventSink());
        EXPECT_EQ(web.cancel, VARIANT_TRUE);
    }
    {
        NavigateEvent inside(L"about:blank#numbers");
        inside.Raise(view.EventSink());
        EXPECT_EQ(inside.cancel, VARIANT_FALSE);
    }
    // A link that asks for a window of its own: no browser window, the address goes outside.
    VARIANT args[5];
    for (VARIANT& arg : args)
        VariantInit(&arg);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    args[0].vt = VT_BSTR; // bstrUrl
    args[0].bstrVal = SysAllocString(L"mailto:someone@corvane.example");
    args[3].vt = VT_BYREF | VT_BOOL; // Cancel
    args[3].pboolVal = &cancel;
    DISPPARAMS params = {args, nullptr, 5, 0};
    view.EventSink()->Invoke(DISPID_NEWWINDOW3, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr,
                             nullptr, nullptr);
    VariantClear(&args[0]);
    EXPECT_EQ(cancel, VARIANT_TRUE);
    ASSERT_EQ(opened.size(), size_t(2));
    EXPECT_EQ(opened[0], "https://corvane.example/Zoë");
    EXPECT_EQ(opened[1], "mailto:someone@corvane.example");
}

// Pending text goes into the document once a navigation has completed, as one page that asks
// for the current document mode; later writes append; a cleared document starts anew.
void CheckPendingTextReleasedBy(DISPID completed) {
    OwnerWindow owner;
    CXWebBrowser view;
    ASSERT_TRUE(view.CreateInParent(kPanelRect, WS_VISIBLE, 1001, owner.m_hWnd));
    view.WriteHtml("<html><head><title>keys</title></head>");
    view.WriteHtml("<body>Zoë</body></html>");
    ASSERT_FALSE(view.HasDocument());

    DocumentLog log;
    bool ready = false;
    view.m_documentSource = [&]() -> std::unique_ptr<DocumentWriter> {
        if (!ready)
            return nullptr;
        return std::make_unique<RecordingDocument>(log);
    };
    RaiseCompleted(view.EventSink(), completed); // the engine has no document yet
    EXPECT_FALSE(view.HasDocument());
    ready = true;
    RaiseCompleted(view.EventSink(), completed);
    ASSERT_TRUE(view.HasDocument());
    ASSERT_EQ(log.writes.size(), size_t(1));
    EXPECT_EQ(log.writes[0], CheckedWide("<html><head>" + kModeTag +
                                         "<title>keys</title></head><body>Zoë</body></html>"));
    EXPECT_EQ(view.Document().Pending(), "");
    RaiseCompleted(view.EventSink(), completed); // nothing is written twice
    EXPECT_EQ(log.writes.size(), size_t(1));

    view.WriteHtml("<p>more</p>");
    ASSERT_EQ(log.writes.size(), size_t(2));
    EXPECT_EQ(log.writes[1], L"<p>more</p>");
    view.ClearDocument();
    EXPECT_EQ(log.closes, 1);
    view.WriteHtml("<html><head></head><body>About</body></html>");
    ASSERT_EQ(log.writes.size(), size_t(3));
    EXPECT_EQ(log.writes[2],
              CheckedWide("<html><head>" + kModeTag + "</head><body>About</body></html>"));
    EXPECT_EQ(view.Document().Text(), "<html><head></head><body>About</body></html>");

    const std::string big(7000, 'x'); // longer than any fixed buffer: written whole, once
    view.WriteHtml(big);
    ASSERT_EQ(log.writes.size(), size_t(4));
    EXPECT_EQ(log.writes[3].size(), big.size());

    view.WriteHtml(std::string("\xff\xfe", 2)); // not UTF-8: dropped
    EXPECT_EQ(log.writes.size(), size_t(4));

    view.Destroy(); // the document is closed and released with the view
    EXPECT_EQ(log.closes, 2);
    EXPECT_TRUE(log.destroyed);
}

TEST(WebBrowserTest, PendingTextIsReleasedWhenANavigationCompletes) {
    CheckPendingTextReleasedBy(DISPID_NAVIGATECOMPLETE2);
}

TEST(WebBrowserTest, PendingTextIsReleasedWhenADocumentCompletes) {
    CheckPendingTextReleasedBy(DISPID_DOCUMENTCOMPLETE);
}

TEST(WebBrowserTest, TheHostsObjectsEndWithTheView) {
    OwnerWindow owner;
    CXWebBrowser view;
    ASSERT_TRUE(view.CreateInParent(kPanelRect, WS_VISIBLE, 1001, owner.m_hWnd));
    IOleClientSite* site = view.ClientSite();
    IDispatch* sink = view.EventSink();
    ASSERT_NE(site, nullptr);
    ASSERT_NE(sink, nullptr);
    site->AddRef();
    sink->AddRef();
    Pump(300);

    // One object behind every host interface; the host draws no border and shows no menu.
    IDocHostUIHandler* handler = nullptr;
    ASSERT_EQ(site->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&handler)),
              S_OK);
    IUnknown* identity1 = nullptr;
    IUnknown* identity2 = nullptr;
    site->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity1));
    handler->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity2));
    EXPECT_EQ(identity1, identity2);
    identity1->Release();
    identity2->Release();
    DOCHOSTUIINFO info = {};
    info.cbSize = sizeof(info);
    ASSERT_EQ(handler->GetHostInfo(&info), S_OK);
    EXPECT_NE(info.dwFlags & DOCHOSTUIFLAG_NO3DBORDER, 0u);
    EXPECT_EQ(info.dwFlags & DOCHOSTUIFLAG_SCROLL_NO, 0u);
    POINT point = {1, 1};
    EXPECT_EQ(handler->ShowContextMenu(0, &point, nullptr, nullptr), S_OK);
    handler->Release();
    IOleInPlaceFrame* frame = nullptr;
    EXPECT_EQ(site->QueryInterface(IID_IOleInPlaceFrame, reinterpret_cast<void**>(&frame)), S_OK);
    HWND frameWindow = nullptr;
    frame->GetWindow(&frameWindow);
    EXPECT_EQ(frameWindow, view.GetHwnd());
    frame->Release();
    IOleInPlaceSite* unknown = nullptr;
    EXPECT_EQ(sink->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&unknown)),
              E_NOINTERFACE);

    // The owner's window goes, and the view with it: every reference the view and the browser
    // held is given back, and a late event reaches no view.
    PanelOwner panel;
    view.m_navigateHook.pfnCallback = &PanelOwner::OnPanelNavigate;
    view.m_navigateHook.pOwner = &panel;
    DestroyWindow(owner.m_hWnd);
    EXPECT_EQ(view.GetHwnd(), nullptr);
    EXPECT_EQ(view.EventSink(), nullptr);
    NavigateEvent late(CheckedWide(GetText(TextId::KeyLinkPrefix) + std::string("n1")));
    EXPECT_EQ(late.Raise(sink), S_OK);
    EXPECT_TRUE(panel.offered.empty());
    EXPECT_EQ(late.cancel, VARIANT_FALSE);
    EXPECT_EQ(site->Release(), 0u);
    EXPECT_EQ(sink->Release(), 0u);
}

} // namespace
