#include "win32/controls/CXCheckBox.h"

void CXCheckBox::SetCheck(int check) {
    m_nCheck = check;
    if (m_hWnd != nullptr)
        SendMessageW(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(check), 0);
}

void CXCheckBox::OnAttached() {
    SendMessageW(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(m_nCheck), 0);
}

bool CXCheckBox::OnReflectedCommand(int code) {
    if (code != BN_CLICKED)
        return false;
    m_nCheck = SendMessageW(m_hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    HWND parent = GetParent(m_hWnd);
    PostCommand(parent, Id(), BN_CLICKED, reinterpret_cast<LPARAM>(parent));
    return true;
}
