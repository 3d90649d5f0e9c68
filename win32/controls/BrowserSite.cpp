#include "win32/controls/BrowserSite.h"

#include <exdispid.h>

namespace browser_detail {

namespace {

// The address in an event argument: a BSTR, directly or through a VARIANT reference.
std::wstring UrlOf(const VARIANTARG& arg) {
    const VARIANT* value = &arg;
    if (value->vt == (VT_BYREF | VT_VARIANT) && value->pvarVal)
        value = value->pvarVal;
    if (value->vt == VT_BSTR && value->bstrVal)
        return std::wstring(value->bstrVal, SysStringLen(value->bstrVal));
    if (value->vt == (VT_BYREF | VT_BSTR) && value->pbstrVal && *value->pbstrVal)
        return std::wstring(*value->pbstrVal, SysStringLen(*value->pbstrVal));
    return std::wstring();
}

// The cancel flag of an event: a VARIANT_BOOL reference.
VARIANT_BOOL* CancelOf(const VARIANTARG& arg) {
    return arg.vt == (VT_BYREF | VT_BOOL) ? arg.pboolVal : nullptr;
}

} // namespace

Site::Site(BrowserEvents* view, HWND hWnd) : m_view(view), m_hWnd(hWnd) {}

HRESULT Site::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite)
        *ppv = static_cast<IOleClientSite*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
        *ppv = static_cast<IOleInPlaceSite*>(this);
    else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame)
        *ppv = static_cast<IOleInPlaceFrame*>(this);
    else if (riid == IID_IDocHostUIHandler)
        *ppv = static_cast<IDocHostUIHandler*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG Site::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&m_refs));
}

ULONG Site::Release() {
    const LONG refs = InterlockedDecrement(&m_refs);
    if (refs == 0)
        delete this; // a COM object ends itself with its last reference
    return static_cast<ULONG>(refs);
}

HRESULT Site::SaveObject() {
    return E_NOTIMPL;
}

HRESULT Site::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT Site::GetContainer(IOleContainer** container) {
    if (container)
        *container = nullptr;
    return E_NOINTERFACE;
}

HRESULT Site::ShowObject() {
    return S_OK;
}

HRESULT Site::OnShowWindow(WINBOOL) {
    return S_OK;
}

HRESULT Site::RequestNewObjectLayout() {
    return E_NOTIMPL;
}

HRESULT Site::GetWindow(HWND* hWnd) {
    if (!hWnd)
        return E_POINTER;
    *hWnd = m_hWnd;
    return S_OK;
}

HRESULT Site::ContextSensitiveHelp(WINBOOL) {
    return E_NOTIMPL;
}

HRESULT Site::CanInPlaceActivate() {
    return m_view ? S_OK : S_FALSE;
}

HRESULT Site::OnInPlaceActivate() {
    return S_OK;
}

HRESULT Site::OnUIActivate() {
    return S_OK;
}

HRESULT Site::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT posRect,
                               LPRECT clipRect, LPOLEINPLACEFRAMEINFO frameInfo) {
    if (!frame || !doc || !posRect || !clipRect || !frameInfo)
        return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *doc = nullptr;
    GetClientRect(m_hWnd, posRect);
    *clipRect = *posRect;
    frameInfo->cb = sizeof(OLEINPLACEFRAMEINFO);
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = GetAncestor(m_hWnd, GA_ROOT);
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
}

HRESULT Site::Scroll(SIZE) {
    return E_NOTIMPL;
}

HRESULT Site::OnUIDeactivate(WINBOOL) {
    return S_OK;
}

HRESULT Site::OnInPlaceDeactivate() {
    return S_OK;
}

HRESULT Site::DiscardUndoState() {
    return E_NOTIMPL;
}

HRESULT Site::DeactivateAndUndo() {
    return E_NOTIMPL;
}

HRESULT Site::OnPosRectChange(LPCRECT) {
    if (m_view)
        m_view->FitBrowser();
    return S_OK;
}

HRESULT Site::GetBorder(LPRECT) {
    return INPLACE_E_NOTOOLSPACE;
}

HRESULT Site::RequestBorderSpace(LPCBORDERWIDTHS) {
    return INPLACE_E_NOTOOLSPACE;
}

HRESULT Site::SetBorderSpace(LPCBORDERWIDTHS) {
    return S_OK;
}

HRESULT Site::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) {
    return S_OK;
}

HRESULT Site::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) {
    return E_NOTIMPL;
}

HRESULT Site::SetMenu(HMENU, HOLEMENU, HWND) {
    return S_OK;
}

HRESULT Site::RemoveMenus(HMENU) {
    return E_NOTIMPL;
}

HRESULT Site::SetStatusText(LPCOLESTR) {
    return S_OK;
}

HRESULT Site::EnableModeless(WINBOOL) {
    return S_OK;
}

HRESULT Site::TranslateAccelerator(LPMSG, WORD) {
    return S_FALSE;
}

HRESULT Site::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
    return S_OK; // handled: no menu
}

HRESULT Site::GetHostInfo(DOCHOSTUIINFO* info) {
    if (!info)
        return E_POINTER;
    // The page draws its own border; its own style decides about scroll bars.
    info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_NO3DOUTERBORDER |
                    DOCHOSTUIFLAG_DISABLE_HELP_MENU | DOCHOSTUIFLAG_THEME | DOCHOSTUIFLAG_DPI_AWARE;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    info->pchHostCss = nullptr;
    info->pchHostNS = nullptr;
    return S_OK;
}

HRESULT Site::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                     IOleInPlaceUIWindow*) {
    return S_OK; // the host shows no menus or tool bars of the browser's
}

HRESULT Site::HideUI() {
    return S_OK;
}

HRESULT Site::UpdateUI() {
    return S_OK;
}

HRESULT Site::OnDocWindowActivate(WINBOOL) {
    return S_OK;
}

HRESULT Site::OnFrameWindowActivate(WINBOOL) {
    return S_OK;
}

HRESULT Site::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, WINBOOL) {
    return S_OK;
}

HRESULT Site::TranslateAccelerator(LPMSG, const GUID*, DWORD) {
    return S_FALSE;
}

HRESULT Site::GetOptionKeyPath(LPOLESTR* key, DWORD) {
    if (key)
        *key = nullptr;
    return S_FALSE;
}

HRESULT Site::GetDropTarget(IDropTarget*, IDropTarget** ownTarget) {
    if (ownTarget)
        *ownTarget = nullptr;
    return E_NOTIMPL;
}

HRESULT Site::GetExternal(IDispatch** external) {
    if (external)
        *external = nullptr;
    return S_FALSE;
}

HRESULT Site::TranslateUrl(DWORD, LPWSTR, LPWSTR* urlOut) {
    if (urlOut)
        *urlOut = nullptr;
    return S_FALSE;
}

HRESULT Site::FilterDataObject(IDataObject*, IDataObject** ownObject) {
    if (ownObject)
        *ownObject = nullptr;
    return S_FALSE;
}

HRESULT EventSink::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == DIID_DWebBrowserEvents2) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

ULONG EventSink::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&m_refs));
}

ULONG EventSink::Release() {
    const LONG refs = InterlockedDecrement(&m_refs);
    if (refs == 0)
        delete this; // a COM object ends itself with its last reference
    return static_cast<ULONG>(refs);
}

HRESULT EventSink::GetTypeInfoCount(UINT* count) {
    if (count)
        *count = 0;
    return S_OK;
}

HRESULT EventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT EventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                          UINT*) {
    if (!m_view || !params)
        return S_OK;
    // The arguments arrive last first: rgvarg[0] is the event's last parameter.
    const UINT count = params->cArgs;
    const VARIANTARG* args = params->rgvarg;
    switch (id) {
    case DISPID_BEFORENAVIGATE2: // (pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel)
        if (count == 7) {
            VARIANT_BOOL* cancel = CancelOf(args[0]);
            bool bCancel = cancel && *cancel != VARIANT_FALSE;
            m_view->OnBeforeNavigate2(UrlOf(args[5]), bCancel);
            if (cancel)
                *cancel = bCancel ? VARIANT_TRUE : VARIANT_FALSE;
        }
        break;
    case DISPID_NAVIGATECOMPLETE2: // (pDisp, URL)
    case DISPID_DOCUMENTCOMPLETE:  // (pDisp, URL)
        m_view->OnNavigateComplete2();
        break;
    case DISPID_NEWWINDOW3: // (ppDisp, Cancel, dwFlags, bstrUrlContext, bstrUrl)
        if (count == 5) {
            VARIANT_BOOL* cancel = CancelOf(args[3]);
            bool bCancel = cancel && *cancel != VARIANT_FALSE;
            m_view->OnNewWindow(UrlOf(args[0]), bCancel);
            if (cancel)
                *cancel = bCancel ? VARIANT_TRUE : VARIANT_FALSE;
        }
        break;
    default:
        break;
    }
    return S_OK;
}

} // namespace browser_detail
