#include "win32/controls/CXButton.h"

#include "win32/controls/CXImageList.h"
#include "win32/controls/Dpi.h"
#include "win32/controls/SkinBrushes.h"
#include "win32/controls/WindowText.h"

#include <windowsx.h>

namespace {

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

// A box of the face, reckoned at 96 DPI, in the button's pixels at dpi.
RECT Scaled(const ScreenBox& b, int dpi) {
    return {Scale(b.x, dpi), Scale(b.y, dpi), Scale(b.x + b.width, dpi),
            Scale(b.y + b.height, dpi)};
}

} // namespace

void CXButton::OnAttached() {
    m_tracker.SetDisabled(!IsWindowEnabled(m_hWnd));
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
    m_tracker.SetDisabled(!enable);
    FollowCapture();
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

void CXButton::FollowCapture() {
    if (m_tracker.IsTracking() && GetCapture() != m_hWnd)
        SetCapture(m_hWnd);
    else if (!m_tracker.IsTracking() && GetCapture() == m_hWnd)
        ReleaseCapture();
}

void CXButton::OnMouseMove(WPARAM keys, LPARAM point) {
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const POINT p{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    const ButtonState before = m_tracker.State();
    m_tracker.MouseAt(PtInRect(&client, p) != FALSE, (keys & MK_LBUTTON) != 0);
    FollowCapture();
    if (m_tracker.State() != before)
        Repaint(false);
}

LRESULT CXButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        OnMouseMove(wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN:
        if (m_tracker.Press()) {
            FollowCapture();
            Repaint(false);
            SetFocus(m_hWnd);
        }
        return 0;
    case WM_LBUTTONUP: {
        const bool click = m_tracker.Release();
        FollowCapture();
        if (click)
            NotifyClick();
        Repaint(false);
        return 0;
    }
    case WM_LBUTTONDBLCLK:
        m_tracker.DoubleClick();
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != m_hWnd && m_tracker.IsTracking()) {
            m_tracker.Reset();
            m_nState = Normal;
            Repaint(false);
        }
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
        m_tracker.SetDisabled(wParam == FALSE);
        FollowCapture();
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
    m_tracker.SetDisabled(!IsWindowEnabled(m_hWnd));
    const ButtonState state = m_tracker.State();
    m_nState = static_cast<int>(state);
    // The face is laid out at 96 DPI and scaled, like the windows' layout.
    const int dpi = DpiOf(m_hWnd);
    RECT rc{};
    GetClientRect(m_hWnd, &rc);
    const std::wstring caption = GetWideText(m_hWnd);
    const int cell = m_pImageList ? m_pImageList->Lookup(m_nImage) : -1;
    const ButtonFace face =
        LayOutButtonFace(MulDiv(rc.right, kBaseDpi, dpi), MulDiv(rc.bottom, kBaseDpi, dpi), state,
                         cell >= 0, !caption.empty(), focused);

    Fill(dc, RECT{1, 1, rc.right - 1, rc.bottom - 1}, SkinColorRef(face.faceColour));
    // The one-pixel frame stays one pixel at every DPI.
    Fill(dc, RECT{0, 0, rc.right, 1}, SkinColorRef(face.topLeftColour));
    Fill(dc, RECT{0, 0, 1, rc.bottom}, SkinColorRef(face.topLeftColour));
    Fill(dc, RECT{0, rc.bottom - 1, rc.right, rc.bottom}, SkinColorRef(face.bottomRightColour));
    Fill(dc, RECT{rc.right - 1, 0, rc.right, rc.bottom}, SkinColorRef(face.bottomRightColour));

    if (face.picture != PictureDraw::None && cell >= 0) {
        const int size = m_pImageList->CellSize();
        // Centred at the scaled picture box, whatever size the list's cells have.
        const RECT box =
            Scaled({face.pictureX, face.pictureY, kButtonPictureSize, kButtonPictureSize}, dpi);
        POINT at{box.left + (box.right - box.left - size) / 2,
                 box.top + (box.bottom - box.top - size) / 2};
        switch (face.picture) {
        case PictureDraw::Hot:
            m_pImageList->DrawHot(dc, cell, at);
            break;
        case PictureDraw::Greyed:
            m_pImageList->DrawGreyed(dc, cell, at, SkinColorRef(Skin::ButtonFace));
            break;
        default:
            m_pImageList->DrawNormal(dc, cell, at);
            break;
        }
    }
    if (caption.empty())
        return;
    RECT text = Scaled(face.text, dpi);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(GetParent(m_hWnd), WM_GETFONT, 0, 0));
    HGDIOBJ oldFont =
        SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(ANSI_VAR_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, SkinColorRef(face.textColour));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);
    if (face.focusLine) {
        const RECT line = Scaled(face.focus, dpi);
        Fill(dc, RECT{line.left, line.top, line.right, line.top + 1},
             SkinColorRef(Skin::FocusLine));
    }
}
