#include "win32/controls/CXButton.h"

#include "win32/controls/CXImageList.h"
#include "win32/controls/Dpi.h"
#include "win32/controls/SkinBrushes.h"
#include "win32/controls/WindowText.h"

#include <windowsx.h>

namespace {

void FrameSide(HDC dc, int x, int y, int cx, int cy, COLORREF colour) {
    RECT r{x, y, x + cx, y + cy};
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

} // namespace

void CXButton::OnAttached() {
    m_bDisabled = !IsWindowEnabled(m_hWnd);
    // Painted here alone: the button class must not draw over it.
    const LONG_PTR style = GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    if ((style & BS_TYPEMASK) != BS_OWNERDRAW)
        SetWindowLongPtrW(m_hWnd, GWL_STYLE, (style & ~LONG_PTR{BS_TYPEMASK}) | BS_OWNERDRAW);
}

void CXButton::SetImage(const CXImageList* list, int key) {
    m_pImageList = list;
    m_nImage = key;
    Repaint(false);
}

bool CXButton::Enable(bool enable) {
    if (m_hWnd == nullptr)
        return false;
    const bool wasDisabled = EnableWindow(m_hWnd, enable ? TRUE : FALSE) != FALSE;
    m_bDisabled = !enable;
    Repaint(false);
    return wasDisabled;
}

void CXButton::SetText(const std::string& text) {
    if (m_hWnd == nullptr)
        return;
    SetWindowTextUtf8(m_hWnd, text);
    Repaint(true);
}

void CXButton::NotifyClick() {
    if (m_hWnd != nullptr)
        PostCommand(GetParent(m_hWnd), Id(), BN_CLICKED, 0);
}

bool CXButton::PreTranslateKey(const MSG& msg) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && msg.hwnd == m_hWnd) {
        NotifyClick();
        return true;
    }
    return false;
}

bool CXButton::OnReflectedCommand(int code) {
    // The owner-draw notifications the class itself sends carry nothing for the dialog.
    return code != BN_CLICKED;
}

void CXButton::Repaint(bool erase) {
    if (m_hWnd != nullptr)
        InvalidateRect(m_hWnd, nullptr, erase ? TRUE : FALSE);
}

void CXButton::StopTracking() {
    m_bTracking = false;
    m_bHover = false;
    m_bPressed = false;
    if (GetCapture() == m_hWnd)
        ReleaseCapture();
    Repaint(false);
}

void CXButton::OnMouseMove(WPARAM keys, LPARAM point) {
    if (m_bDisabled)
        return;
    if (!m_bTracking) {
        m_bTracking = true;
        m_bHover = true;
        SetCapture(m_hWnd);
        Repaint(false);
        return;
    }
    const bool wasHover = m_bHover;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const POINT p{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    m_bHover = PtInRect(&client, p) != FALSE;
    if (!m_bHover && (keys & MK_LBUTTON) == 0) {
        StopTracking();
        return;
    }
    if (m_bHover != wasHover)
        Repaint(false);
}

void CXButton::OnLButtonUp() {
    if (m_bHover) {
        if (m_bPressed)
            NotifyClick();
        m_bPressed = false;
        StopTracking();
    } else {
        m_bPressed = false;
        if (m_bTracking)
            StopTracking();
    }
    Repaint(false);
}

LRESULT CXButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        OnMouseMove(wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN:
        m_bPressed = true;
        Repaint(false);
        SetFocus(m_hWnd);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp();
        return 0;
    case WM_LBUTTONDBLCLK:
        return 0;
    case WM_CAPTURECHANGED:
        if (m_bTracking && reinterpret_cast<HWND>(lParam) != m_hWnd) {
            m_bTracking = false;
            m_bPressed = false;
        }
        m_nState = Normal;
        m_bHover = false;
        m_bTracking = false;
        Repaint(false);
        return Default(message, wParam, lParam);
    case WM_KEYDOWN:
        if (wParam == VK_SPACE)
            NotifyClick();
        return 0;
    case WM_KEYUP:
    case WM_CHAR:
        return 0;
    case BM_CLICK:
        // A click by program (or by an accessibility tool) is a click.
        if (IsWindowEnabled(m_hWnd))
            NotifyClick();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT result = Default(message, wParam, lParam);
        Repaint(false);
        return result;
    }
    case WM_ENABLE:
        m_bDisabled = wParam == FALSE;
        if (m_bDisabled && m_bTracking)
            StopTracking();
        Repaint(false);
        return Default(message, wParam, lParam);
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(m_hWnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(m_hWnd, &paint);
        DrawButton(dc);
        EndPaint(m_hWnd, &paint);
        return 0;
    }
    case WM_GETDLGCODE:
        // A plain button to the dialog manager, which then leaves its style alone.
        return DLGC_BUTTON;
    case BM_SETSTYLE:
        return 0;
    default:
        return Default(message, wParam, lParam);
    }
}

void CXButton::DrawButton(HDC dc) {
    const bool focused = GetFocus() == m_hWnd;
    m_bDisabled = !IsWindowEnabled(m_hWnd);
    m_nState = m_bDisabled ? Disabled : m_bHover && m_bPressed ? Pressed : m_bHover ? Hot : Normal;
    const int dpi = DpiOf(m_hWnd);
    RECT rc{};
    GetClientRect(m_hWnd, &rc);
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    const bool hot = m_nState == Hot || m_nState == Pressed;

    RECT face{rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1};
    SetBkColor(dc, SkinRgb(hot ? SkinRole::ButtonFaceHot : SkinRole::ButtonFace));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &face, nullptr, 0, nullptr);

    COLORREF topLeft = SkinRgb(SkinRole::ButtonFrame), bottomRight = topLeft;
    if (m_nState == Hot) {
        topLeft = SkinRgb(SkinRole::EdgeLight);
        bottomRight = SkinRgb(SkinRole::EdgeDark);
    } else if (m_nState == Pressed) {
        topLeft = SkinRgb(SkinRole::EdgeDark);
        bottomRight = SkinRgb(SkinRole::EdgeLight);
    }
    FrameSide(dc, rc.left, rc.top, width, 1, topLeft);
    FrameSide(dc, rc.left, rc.top, 1, height, topLeft);
    FrameSide(dc, rc.left, rc.bottom - 1, width, 1, bottomRight);
    FrameSide(dc, rc.right - 1, rc.top, 1, height, bottomRight);

    const std::wstring caption = GetWideText(m_hWnd);
    bool pictured = false;
    if (m_pImageList != nullptr && m_pImageList->Lookup(m_nImage) >= 0) {
        const int cell = m_pImageList->Lookup(m_nImage);
        const int size = m_pImageList->CellSize();
        POINT at{caption.empty() ? (width - size) / 2 : rc.left + Scale(6, dpi),
                 (height - size) / 2};
        switch (m_nState) {
        case Hot:
            m_pImageList->DrawHot(dc, cell, at);
            break;
        case Pressed:
            m_pImageList->DrawNormal(dc, cell, {at.x + 1, at.y + 1});
            break;
        case Disabled:
            m_pImageList->DrawGreyed(dc, cell, at, SkinRgb(SkinRole::ButtonFace));
            break;
        default:
            m_pImageList->DrawNormal(dc, cell, at);
            break;
        }
        pictured = true;
    }
    if (caption.empty())
        return;
    RECT text = rc;
    if (pictured)
        text.left += Scale(16, dpi);
    if (m_nState == Pressed)
        OffsetRect(&text, 2, 2);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(GetParent(m_hWnd), WM_GETFONT, 0, 0));
    HGDIOBJ oldFont =
        SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(ANSI_VAR_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(
        dc, SkinRgb(m_nState == Disabled ? SkinRole::ButtonTextDisabled : SkinRole::ButtonText));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);
    if (focused) {
        const int left = text.left + 2 + (pictured ? 10 : 0);
        const int y = rc.bottom - 3 + (m_nState == Pressed ? 1 : 0);
        FrameSide(dc, left, y, text.right - 4 - left, 1, SkinRgb(SkinRole::FocusLine));
    }
}
