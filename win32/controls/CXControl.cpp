#include "win32/controls/CXControl.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR kSubclassId = 0xC0F7;
// The object of a bound control, found from its window.
constexpr wchar_t kControlProperty[] = L"CorvaneControl";

} // namespace

CXControl::~CXControl() {
    Detach();
}

bool CXControl::Attach(HWND dialog, int id) {
    Detach();
    HWND window = GetDlgItem(dialog, id);
    if (window == nullptr)
        return false;
    if (!SetWindowSubclass(window, &CXControl::SubclassProc, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(this)))
        return false;
    SetPropW(window, kControlProperty, this);
    m_hWnd = window;
    OnAttached();
    return true;
}

void CXControl::Detach() {
    if (m_hWnd != nullptr) {
        RemoveWindowSubclass(m_hWnd, &CXControl::SubclassProc, kSubclassId);
        RemovePropW(m_hWnd, kControlProperty);
        m_hWnd = nullptr;
    }
}

int CXControl::Id() const {
    return m_hWnd ? GetDlgCtrlID(m_hWnd) : 0;
}

CXControl* CXControl::FromHandle(HWND window) {
    return window ? static_cast<CXControl*>(GetPropW(window, kControlProperty)) : nullptr;
}

bool CXControl::OnReflectedCommand(int) {
    return false;
}

bool CXControl::OnReflectedColor(HDC, HBRUSH&) {
    return false;
}

LRESULT CXControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT CXControl::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CXControl::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR self) {
    auto* control = reinterpret_cast<CXControl*>(self);
    if (message == WM_NCDESTROY) {
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        RemoveWindowSubclass(window, &CXControl::SubclassProc, kSubclassId);
        RemovePropW(window, kControlProperty);
        control->m_hWnd = nullptr;
        return result;
    }
    return control->WindowProc(message, wParam, lParam);
}

void PostCommand(HWND to, int id, int code, LPARAM lParam) {
    PostMessageW(to, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(code)),
                 lParam);
}
