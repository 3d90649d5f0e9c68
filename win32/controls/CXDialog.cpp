#include "win32/controls/CXDialog.h"

#include "uilogic/DialogFit.h"
#include "win32/controls/CXButton.h"
#include "win32/controls/CXControl.h"
#include "win32/controls/SkinBrushes.h"
#include "win32/controls/WindowText.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr wchar_t kDialogProperty[] = L"CorvaneDialog";

// The thread's message-filter hook, installed while any dialog exists.
HHOOK g_filterHook = nullptr;
int g_dialogCount = 0;

LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0 && lParam != 0) {
        MSG& msg = *reinterpret_cast<MSG*>(lParam);
        // The dialogs from the message's window outwards, innermost first.
        for (HWND window = msg.hwnd; window != nullptr; window = GetParent(window)) {
            if (CXDialog* dialog = CXDialog::FromHandle(window)) {
                if (dialog->PreTranslateMessage(msg))
                    return 1;
            }
            if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0)
                break;
        }
    }
    return CallNextHookEx(g_filterHook, code, wParam, lParam);
}

void HookDialogs() {
    if (g_dialogCount++ == 0)
        g_filterHook =
            SetWindowsHookExW(WH_MSGFILTER, &MessageFilter, nullptr, GetCurrentThreadId());
}

void UnhookDialogs() {
    if (--g_dialogCount == 0 && g_filterHook != nullptr) {
        UnhookWindowsHookEx(g_filterHook);
        g_filterHook = nullptr;
    }
}

bool IsEditControl(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return lstrcmpiW(name, L"Edit") == 0;
}

} // namespace

CXDialog::CXDialog(const DialogTemplate& tmpl) : m_template(tmpl), m_bytes(tmpl) {}

CXDialog::~CXDialog() {
    if (m_hWnd != nullptr && !m_bModal)
        DestroyWindow(m_hWnd);
}

INT_PTR CXDialog::DoModal(HWND parent) {
    m_bModal = true;
    m_result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), m_bytes.Get(), parent,
                                       &CXDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    m_bModal = false;
    return m_result;
}

bool CXDialog::Create(HWND parent) {
    m_bModal = false;
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), m_bytes.Get(), parent,
                                      &CXDialog::DialogProc,
                                      reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CXDialog::EndDialog(INT_PTR result) {
    m_result = result;
    if (m_hWnd == nullptr)
        return;
    if (m_bModal)
        ::EndDialog(m_hWnd, result);
    else
        DestroyWindow(m_hWnd);
}

CXDialog* CXDialog::FromHandle(HWND window) {
    return window ? static_cast<CXDialog*>(GetPropW(window, kDialogProperty)) : nullptr;
}

void CXDialog::CreateToolTip() {
    if (m_hToolTip != nullptr)
        return;
    m_hToolTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
}

void CXDialog::AddToolTip(HWND control, const std::string& text) {
    CreateToolTip();
    if (m_hToolTip == nullptr || control == nullptr)
        return;
    std::wstring wide = Wide(text);
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND;
    info.hwnd = m_hWnd;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    // A tool registered again gets the new text (the query would copy the old text into
    // lpszText, so it asks with none).
    TOOLINFOW known = info;
    const bool registered =
        SendMessageW(m_hToolTip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&known)) != 0;
    info.lpszText = wide.data();
    if (registered)
        SendMessageW(m_hToolTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    else
        SendMessageW(m_hToolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

bool CXDialog::PreTranslateMessage(MSG& msg) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        // The nearest Cancel button, in this dialog or a dialog it lies in.
        for (HWND window = m_hWnd; window != nullptr; window = GetParent(window)) {
            if (HWND cancel = GetDlgItem(window, DialogId::Cancel)) {
                if (IsWindowEnabled(cancel))
                    PostMessageW(window, WM_COMMAND, DialogId::Cancel, 0);
                break;
            }
            if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0)
                break;
        }
        return true;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
        if (auto* button = dynamic_cast<CXButton*>(CXControl::FromHandle(msg.hwnd)))
            return button->PreTranslateKey(msg);
    }
    if (m_hToolTip != nullptr && (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONDOWN ||
                                  msg.message == WM_LBUTTONUP))
        SendMessageW(m_hToolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    return false;
}

void CXDialog::FitOnScreen() {
    // A page inside another dialog follows its parent; a minimised window has no size to fit.
    if ((GetWindowLongPtrW(m_hWnd, GWL_STYLE) & WS_CHILD) != 0 || IsIconic(m_hWnd))
        return;
    RECT outer{};
    GetWindowRect(m_hWnd, &outer);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    POINT origin{0, 0};
    ClientToScreen(m_hWnd, &origin);
    const FrameWidths frame{origin.x - outer.left, origin.y - outer.top,
                            outer.right - origin.x - client.right,
                            outer.bottom - origin.y - client.bottom};
    // The work area of the monitor the owner is on (where a dialog opens), else its own.
    HWND owner = GetWindow(m_hWnd, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(owner ? owner : m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const BoxSize fitted = FitDialogOnScreen(
        {client.right, client.bottom}, {work.right - work.left, work.bottom - work.top}, frame);
    if (fitted.width == client.right && fitted.height == client.bottom)
        return;
    // Shrunk to the room there is, and moved so that all of it lies on the work area.
    const int width = fitted.width + frame.left + frame.right;
    const int height = fitted.height + frame.top + frame.bottom;
    const int x = std::max<int>(work.left, std::min<int>(outer.left, work.right - width));
    const int y = std::max<int>(work.top, std::min<int>(outer.top, work.bottom - height));
    SetWindowPos(m_hWnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CXDialog::FilterMessage(MSG& msg) {
    if (CallMsgFilterW(&msg, MSGF_DIALOGBOX))
        return true;
    for (HWND window = msg.hwnd; window != nullptr; window = GetParent(window)) {
        if (FromHandle(window) != nullptr && (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0)
            return IsDialogMessageW(window, &msg) != FALSE;
    }
    return false;
}

BOOL CXDialog::OnInitDialog() {
    return TRUE;
}

void CXDialog::OnCommand(int id, int) {
    if (id == DialogId::Ok)
        OnOK();
    else if (id == DialogId::Cancel)
        OnCancel();
}

void CXDialog::OnOK() {
    EndDialog(DialogId::Ok);
}

void CXDialog::OnCancel() {
    EndDialog(DialogId::Cancel);
}

bool CXDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

bool CXDialog::HandleColor(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX) {
        HBRUSH brush = nullptr;
        CXControl* bound = CXControl::FromHandle(control);
        if (bound && bound->OnReflectedColor(dc, brush)) {
            result = reinterpret_cast<LRESULT>(brush);
            return true;
        }
        return false; // the system's colours
    }
    if (control != nullptr && IsEditControl(control)) {
        // A read-only or disabled edit asks as a static.
        const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
        if (!IsWindowEnabled(control) || (style & ES_READONLY) != 0)
            SetBkColor(dc, SkinColorRef(Skin::DialogBackground));
    } else {
        SetBkMode(dc, TRANSPARENT);
    }
    result = reinterpret_cast<LRESULT>(DialogBrush());
    return true;
}

INT_PTR CALLBACK CXDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CXDialog* dialog = nullptr;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<CXDialog*>(lParam);
        dialog->m_hWnd = window;
        SetPropW(window, kDialogProperty, dialog);
        HookDialogs();
    } else {
        dialog = FromHandle(window);
    }
    if (dialog == nullptr)
        return FALSE;
    const INT_PTR result = dialog->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropW(window, kDialogProperty);
        dialog->m_hWnd = nullptr;
        dialog->m_hToolTip = nullptr;
        UnhookDialogs();
    }
    return result;
}

INT_PTR CXDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    switch (message) {
    case WM_INITDIALOG: {
        const BOOL focusLeft = OnInitDialog();
        FitOnScreen();
        return focusLeft;
    }
    case WM_COMMAND: {
        HWND control = reinterpret_cast<HWND>(lParam);
        if (control != nullptr && control != m_hWnd) {
            CXControl* bound = CXControl::FromHandle(control);
            if (bound && bound->OnReflectedCommand(HIWORD(wParam)))
                return TRUE;
        }
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (HandleColor(message, wParam, lParam, result))
            return static_cast<INT_PTR>(result);
        return FALSE;
    default:
        break;
    }
    if (OnMessage(message, wParam, lParam, result)) {
        if (message == WM_QUERYDRAGICON)
            return static_cast<INT_PTR>(result); // answered directly, not through the result
        SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    return FALSE;
}
