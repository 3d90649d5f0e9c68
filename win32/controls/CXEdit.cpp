#include "win32/controls/CXEdit.h"

#include "win32/controls/CXDialog.h"
#include "win32/controls/SkinBrushes.h"
#include "win32/controls/WindowText.h"

void CXEdit::SetText(const std::string& text) {
    m_text = text;
    if (m_hWnd != nullptr)
        SetWindowTextUtf8(m_hWnd, text);
}

void CXEdit::OnAttached() {
    SetWindowTextUtf8(m_hWnd, m_text);
}

bool CXEdit::OnReflectedCommand(int code) {
    if (code != EN_CHANGE)
        return false;
    m_text = GetWindowTextUtf8(m_hWnd);
    HWND parent = GetParent(m_hWnd);
    PostCommand(parent, Id(), EN_CHANGE, reinterpret_cast<LPARAM>(parent));
    // Inside a page that is not a dialog of its own, the dialog around it hears it too.
    HWND grandparent = GetParent(parent);
    if (CXDialog::FromHandle(parent) == nullptr && CXDialog::FromHandle(grandparent) != nullptr)
        PostCommand(grandparent, Id(), EN_CHANGE, reinterpret_cast<LPARAM>(grandparent));
    return true;
}

bool CXEdit::OnReflectedColor(HDC dc, HBRUSH& brush) {
    SetBkColor(dc, SkinColorRef(Skin::EditBackground));
    brush = EditBrush();
    return true;
}

LRESULT CXEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_RBUTTONUP || message == WM_CONTEXTMENU)
        return 0;
    return Default(message, wParam, lParam);
}
