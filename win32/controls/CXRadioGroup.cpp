#include "win32/controls/CXRadioGroup.h"

std::vector<HWND> CXRadioGroup::Buttons() const {
    std::vector<HWND> buttons;
    for (HWND window = m_hWnd; window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
        if (window != m_hWnd && (GetWindowLongPtrW(window, GWL_STYLE) & WS_GROUP) != 0)
            break;
        if ((SendMessageW(window, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0)
            buttons.push_back(window);
    }
    return buttons;
}

void CXRadioGroup::SetValue(int value) {
    m_value = value;
    if (m_hWnd == nullptr)
        return;
    const std::vector<HWND> buttons = Buttons();
    for (size_t i = 0; i < buttons.size(); ++i)
        SendMessageW(buttons[i], BM_SETCHECK, static_cast<int>(i) == value ? BST_CHECKED : 0, 0);
}

int CXRadioGroup::GetValue() {
    if (m_hWnd != nullptr) {
        const std::vector<HWND> buttons = Buttons();
        m_value = -1;
        for (size_t i = 0; i < buttons.size(); ++i) {
            if (SendMessageW(buttons[i], BM_GETCHECK, 0, 0) == BST_CHECKED)
                m_value = static_cast<int>(i);
        }
    }
    return m_value;
}
