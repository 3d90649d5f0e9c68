#include "win32/ui/MainDlg.h"

#include "platform/win32/WideText.h"
#include "settings/TextTable.h"
#include "uilogic/ChangedPart.h"
#include "uilogic/DialogTemplates.h"
#include "uilogic/KeyEdit.h"
#include "uilogic/Layout.h"
#include "uilogic/Pages.h"
#include "uilogic/Placement.h"
#include "uilogic/ResultsScroll.h"
#include "win32/controls/CXImageList.h"
#include "win32/controls/Dpi.h"
#include "win32/controls/WindowText.h"
#include "win32/ui/AboutDlg.h"
#include "win32/ui/HelpDlg.h"
#include "win32/ui/ProgramIcon.h"
#include "win32/ui/SettingsDlg.h"
#include "win32/ui/WindowPlacement.h"

#include <windowsx.h>

#include <algorithm>

namespace {

constexpr UINT_PTR kFocusTimer = 1;
// After the first restore of a window started minimised: puts it back on its stored rectangle,
// which a window manager may have overridden when it first mapped the window.
constexpr UINT_PTR kRestoreTimer = 2;
constexpr UINT kRestoreDelayMs = 100;
constexpr UINT kFocusPeriodMs = 500;
// Posted after a key or click in a pane has been handled, to bring the results level again.
constexpr UINT kSyncScrollMessage = WM_APP + 1;

std::u16string U16(const std::wstring& wide) {
    return std::u16string(wide.begin(), wide.end());
}

std::wstring FromU16(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

void Place(HWND window, const ScreenBox& box, int dpi) {
    MoveWindow(window, Scale(box.x, dpi), Scale(box.y, dpi), Scale(box.width, dpi),
               Scale(box.height, dpi), TRUE);
}

} // namespace

CMainDlg::CMainDlg(std::string settingsPath)
    : CXDialog(MainDialogTemplate()), m_controller(*this, std::move(settingsPath)) {}

CMainDlg::~CMainDlg() {
    if (m_hIcon)
        DestroyIcon(m_hIcon);
    if (m_hSmallIcon)
        DestroyIcon(m_hSmallIcon);
}

CXButton* CMainDlg::Button(int id) {
    switch (id) {
    case MainId::About:
        return &m_btnAbout;
    case MainId::Panel:
        return &m_btnPanel;
    case MainId::Settings:
        return &m_btnSettings;
    case MainId::Help:
        return &m_btnHelp;
    case MainId::KeepOnTop:
        return &m_btnKeepOnTop;
    default:
        return nullptr;
    }
}

void CMainDlg::AttachControls() {
    m_btnAbout.Attach(m_hWnd, MainId::About);
    m_btnPanel.Attach(m_hWnd, MainId::Panel);
    m_btnSettings.Attach(m_hWnd, MainId::Settings);
    m_btnHelp.Attach(m_hWnd, MainId::Help);
    m_btnKeepOnTop.Attach(m_hWnd, MainId::KeepOnTop);
    // Lines never wrap and the panes hold any length of text.
    SendMessageW(ExpressionPane(), EM_SETLIMITTEXT, 0, 0);
    SendMessageW(ResultsPane(), EM_SETLIMITTEXT, 0, 0);
}

BOOL CMainDlg::OnInitDialog() {
    ShowWindow(m_hWnd, SW_HIDE);
    AttachControls();
    m_dpi = DpiOf(m_hWnd);
    // The keypad view; the layout moves it. Without the HTML engine it stays an empty window.
    m_browser.CreateInParent(RECT{0, 0, 100, 100}, WS_VISIBLE, MainId::Browser, m_hWnd);
    AddToolTip(ResultsPane(), "");

    m_controller.Start(); // pictures, tooltips, the settings and the expressions
    ApplyDpi();
    PlaceWindow();
    if (StartsMinimised(g_settings)) {
        ShowWindow(m_hWnd, SW_MINIMIZE);
        m_bRestorePending = true;
    }
    BuildButtonPanel();
    m_controller.ApplyKeepOnTop(); // also shows the window
    m_controller.ApplyKeypadVisibility();

    SetFocus(ExpressionPane());
    SendMessageW(ExpressionPane(), EM_SETSEL, 0, 0);
    SendMessageW(ExpressionPane(), EM_SCROLLCARET, 0, 0);
    SetTimer(m_hWnd, kFocusTimer, kFocusPeriodMs, nullptr);
    return FALSE; // the focus has been set
}

void CMainDlg::ApplyDpi() {
    // The pictures stay the ones the controller chose; only their size follows the DPI.
    const CXImageList* images = SharedImages(m_dpi);
    for (CXButton* button : {&m_btnSettings, &m_btnHelp, &m_btnAbout, &m_btnKeepOnTop, &m_btnPanel})
        button->SetImage(images, button->Image());
    // A width makes the tooltip break its lines where the text does (an explained err has two).
    if (ToolTip() != nullptr)
        SendMessageW(ToolTip(), TTM_SETMAXTIPWIDTH, 0, Scale(600, m_dpi));
    if (m_hIcon)
        DestroyIcon(m_hIcon);
    if (m_hSmallIcon)
        DestroyIcon(m_hSmallIcon);
    m_hIcon = LoadProgramIcon(SystemMetricForDpi(SM_CXICON, m_dpi));
    m_hSmallIcon = LoadProgramIcon(SystemMetricForDpi(SM_CXSMICON, m_dpi));
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hSmallIcon));
}

void CMainDlg::PlaceWindow() {
    m_startBox = StartBox(m_hWnd, g_settings);
    ApplyOuterBox(m_hWnd, m_startBox);
}

std::string CMainDlg::ExpressionText() const {
    return GetWindowTextUtf8(ExpressionPane());
}

void CMainDlg::SetExpressionText(const std::string& text) {
    m_bSettingText = true; // the edit control reports EN_CHANGE for a text set by the program
    SetWindowTextUtf8(ExpressionPane(), text);
    m_bSettingText = false;
    // The pane's undo history starts with this text: undo never empties a loaded sheet.
    SendMessageW(ExpressionPane(), EM_EMPTYUNDOBUFFER, 0, 0);
}

void CMainDlg::ShowResults(const std::string& text) {
    const std::wstring shown = Wide(text);
    if (shown != m_resultsShown) {
        m_bMovingResults = true; // new text scrolls the results to the top: not the user's move
        SetWindowTextW(ResultsPane(), shown.c_str());
        m_bMovingResults = false;
        m_resultsShown = shown;
    }
    // The tip told of the lines before: an "err" that stays "err" may now have another reason.
    ForgetResultTip();
    SyncResultsScroll();
}

bool CMainDlg::ResultsHaveFocus() const {
    return GetFocus() == ResultsPane();
}

void CMainDlg::ShowResultsLeftEdge() {
    m_bMovingResults = true;
    SendMessageW(ResultsPane(), WM_HSCROLL, SB_LEFT, 0);
    m_bMovingResults = false;
}

void CMainDlg::SyncResultsScroll() {
    const LRESULT a = SendMessageW(ExpressionPane(), EM_GETFIRSTVISIBLELINE, 0, 0);
    const LRESULT b = SendMessageW(ResultsPane(), EM_GETFIRSTVISIBLELINE, 0, 0);
    if (a != b) {
        m_bMovingResults = true;
        SendMessageW(ResultsPane(), EM_LINESCROLL, 0, a - b);
        m_bMovingResults = false;
    }
}

void CMainDlg::SyncExpressionsScroll() {
    // The results scrolled by themselves (their caret moved past an edge): the expressions
    // follow, and where they cannot, the results go back level with them.
    const LRESULT a = SendMessageW(ExpressionPane(), EM_GETFIRSTVISIBLELINE, 0, 0);
    const LRESULT b = SendMessageW(ResultsPane(), EM_GETFIRSTVISIBLELINE, 0, 0);
    if (a != b)
        SendMessageW(ExpressionPane(), EM_LINESCROLL, 0, b - a);
    SyncResultsScroll();
}

void CMainDlg::SetButtonPicture(int buttonId, int picture) {
    if (CXButton* button = Button(buttonId))
        button->SetImage(SharedImages(m_dpi), picture);
}

void CMainDlg::SetToolTip(int buttonId, const std::string& text) {
    AddToolTip(Item(buttonId), text);
}

void CMainDlg::SetKeepOnTop(bool onTop) {
    // HWND_NOTOPMOST leaves the topmost band and stays above the other windows; a minimised
    // window is shown minimised and not activated, which would restore it.
    const bool minimised = IsIconic(m_hWnd) != FALSE;
    const UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW | (minimised ? SWP_NOACTIVATE : 0u);
    // Wine puts a window made topmost right below the owned popups above it (the tooltip,
    // itself topmost), which leaves it out of the topmost band. The tooltip is let go of its
    // owner for the move; it comes back on top of the window whenever it shows.
    HWND tip = ToolTip();
    if (tip != nullptr)
        SetWindowLongPtrW(tip, GWLP_HWNDPARENT, 0);
    SetWindowPos(m_hWnd, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, flags);
    if (tip != nullptr)
        SetWindowLongPtrW(tip, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(m_hWnd));
    if (!minimised)
        SetForegroundWindow(m_hWnd);
}

void CMainDlg::ShowKeypad(bool shown) {
    // The least size follows from the setting when the window asks (WM_GETMINMAXINFO).
    m_browser.Show(shown);
}

int CMainDlg::ClientWidth() const {
    RECT client{};
    GetClientRect(m_hWnd, &client);
    return MulDiv(client.right, kBaseDpi, m_dpi);
}

void CMainDlg::SetClientWidth(int width) {
    // Widths are reckoned at 96 DPI: only the change is scaled, so that hiding and showing the
    // keypad again gives back the same pixels.
    const int change = Scale(width - ClientWidth(), m_dpi);
    RECT outer{};
    GetWindowRect(m_hWnd, &outer);
    SetWindowPos(m_hWnd, nullptr, 0, 0, outer.right - outer.left + change, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainDlg::Layout(int cx, int cy) {
    if (ExpressionPane() == nullptr)
        return;
    InvalidateRect(ResultsPane(), nullptr, FALSE);
    // The layout is reckoned at 96 DPI and scaled; the client size goes the other way.
    const int dpi = m_dpi;
    const MainLayout layout = LayOutMainWindow(MulDiv(cx, kBaseDpi, dpi), MulDiv(cy, kBaseDpi, dpi),
                                               g_settings.m_showButtons != 0);
    CXButton* const smallButtons[] = {&m_btnKeepOnTop, &m_btnSettings, &m_btnHelp, &m_btnAbout};
    for (size_t i = 0; i < layout.smallButtons.size(); ++i)
        Place(smallButtons[i]->GetSafeHwnd(), layout.smallButtons[i], dpi);
    Place(m_btnPanel.GetSafeHwnd(), layout.panelButton, dpi);
    const ScreenBox& k = layout.keypad;
    m_browser.SetRect(RECT{Scale(k.x, dpi), Scale(k.y, dpi), Scale(k.x + k.width, dpi),
                           Scale(k.y + k.height, dpi)});
    Place(ExpressionPane(), layout.expressions, dpi);
    Place(ResultsPane(), layout.results, dpi);
    AlignResultLines();
    InvalidateRect(ResultsPane(), nullptr, FALSE);
    SyncResultsScroll();
}

void CMainDlg::AlignResultLines() {
    // The expression pane's border moves its text down and right; the results pane has none,
    // so its text is moved by the same amount to stand level with its expression.
    RECT expressions{};
    SendMessageW(ExpressionPane(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&expressions));
    MapWindowPoints(ExpressionPane(), nullptr, reinterpret_cast<POINT*>(&expressions), 2);
    RECT results{};
    GetClientRect(ResultsPane(), &results);
    POINT origin{0, 0};
    ClientToScreen(ResultsPane(), &origin);
    RECT format = results;
    SendMessageW(ResultsPane(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    format.top = results.top + std::max<int>(0, expressions.top - origin.y);
    format.bottom = results.bottom;
    format.right = results.right;
    SendMessageW(ResultsPane(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&format));
}

void CMainDlg::OnCommand(int id, int code) {
    if (id == MainId::Expressions) {
        if (code == EN_CHANGE && !m_bSettingText)
            m_controller.OnExpressionsChanged();
        else if (code == EN_VSCROLL)
            SyncResultsScroll();
        return;
    }
    if (id == MainId::Results) {
        if (code == EN_VSCROLL && !m_bMovingResults)
            SyncExpressionsScroll();
        else if (code == EN_KILLFOCUS && ShowsResultsLeftEdge(ResultsEvent::FocusLost, false))
            ShowResultsLeftEdge();
        return;
    }
    if (code != BN_CLICKED || !m_controller.OnButton(id))
        CXDialog::OnCommand(id, code);
}

bool CMainDlg::RunSettingsDialog() {
    CSettingsDlg settings;
    return settings.DoModal(m_hWnd) == DialogId::Ok;
}

void CMainDlg::RunHelpDialog() {
    CHelpDlg help;
    help.DoModal(m_hWnd);
}

void CMainDlg::RunAboutDialog() {
    CAboutDlg about;
    about.DoModal(m_hWnd);
}

void CMainDlg::Minimise() {
    ShowWindow(m_hWnd, SW_MINIMIZE);
}

void CMainDlg::CloseWindow() {
    EndDialog(0);
}

bool CMainDlg::PreTranslateMessage(MSG& msg) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        m_controller.OnEscape();
        return true; // Esc never reaches the focused control
    }
    if (msg.message == WM_MOUSEWHEEL) {
        // The wheel over the results scrolls the expressions, and the results follow them.
        POINT at{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
        if (WindowFromPoint(at) == ResultsPane()) {
            SendMessageW(ExpressionPane(), WM_MOUSEWHEEL, msg.wParam, msg.lParam);
            SyncResultsScroll();
            return true;
        }
    }
    if (msg.hwnd == ExpressionPane() || msg.hwnd == ResultsPane()) {
        if (msg.message == WM_KEYDOWN || msg.message == WM_LBUTTONDOWN ||
            msg.message == WM_MOUSEMOVE || msg.message == WM_MOUSEWHEEL)
            PostMessageW(m_hWnd, kSyncScrollMessage, msg.hwnd == ResultsPane(), 0);
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == ResultsPane())
            UpdateResultTip({GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)});
    }
    return CXDialog::PreTranslateMessage(msg);
}

void CMainDlg::ForgetResultTip() {
    if (m_resultTipLine < 0)
        return;
    m_resultTipLine = -1;
    if (ToolTip() != nullptr)
        SendMessageW(ToolTip(), TTM_POP, 0, 0);
    AddToolTip(ResultsPane(), ""); // the next mouse move over a line measures it anew
}

void CMainDlg::UpdateResultTip(POINT at) {
    // Measures the line under the mouse; the controller decides what the tooltip says.
    HWND results = ResultsPane();
    const LRESULT found = SendMessageW(results, EM_CHARFROMPOS, 0, MAKELPARAM(at.x, at.y));
    // The answer's line number has 16 bits; the line under the mouse is visible, so it is the
    // first visible line or one less than 65,536 lines below it.
    const int first = static_cast<int>(SendMessageW(results, EM_GETFIRSTVISIBLELINE, 0, 0));
    const int line = first + ((static_cast<int>(HIWORD(found)) - first) & 0xFFFF);
    const int start = static_cast<int>(SendMessageW(results, EM_LINEINDEX, line, 0));
    const int length = static_cast<int>(SendMessageW(results, EM_LINELENGTH, start, 0));
    ResultLineHit hit;
    if (start >= 0 && length > 0) {
        const LRESULT pos = SendMessageW(results, EM_POSFROMCHAR, start, 0);
        std::wstring shown(static_cast<size_t>(length) + 1, L'\0');
        shown[0] = static_cast<wchar_t>(length + 1); // EM_GETLINE reads the buffer's size here
        const LRESULT got = SendMessageW(results, EM_GETLINE, static_cast<WPARAM>(line),
                                         reinterpret_cast<LPARAM>(shown.data()));
        shown.resize(static_cast<size_t>(got));
        HDC dc = GetDC(results);
        HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(results, WM_GETFONT, 0, 0)));
        SIZE extent{};
        GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &extent);
        SelectObject(dc, old);
        ReleaseDC(results, dc);
        RECT client{};
        GetClientRect(results, &client);
        hit.onALine = true;
        hit.line = line;
        hit.shown = WideToUtf8(shown);
        hit.mouseY = at.y;
        hit.lineTop = static_cast<short>(HIWORD(pos));
        hit.lineBottom = hit.lineTop + extent.cy - 1;
        hit.textLeft = static_cast<short>(LOWORD(pos));
        hit.textWidth = extent.cx;
        hit.visibleWidth = client.right - client.left;
    }
    const std::string tip = m_controller.ResultToolTipAt(hit);
    const int tipLine = tip.empty() ? -1 : line;
    if (tipLine == m_resultTipLine)
        return;
    m_resultTipLine = tipLine;
    if (ToolTip() != nullptr)
        SendMessageW(ToolTip(), TTM_POP, 0, 0);
    AddToolTip(results, tip); // an empty text shows no tip
}

void CMainDlg::OnFocusTimer() {
    const HWND focus = GetFocus();
    FocusSnapshot snapshot;
    snapshot.otherDialogOpen = !IsWindowEnabled(m_hWnd); // a modal dialog opened from here
    snapshot.inThisWindow = focus != nullptr && (focus == m_hWnd || IsChild(m_hWnd, focus));
    snapshot.onAPane = focus == ExpressionPane() || focus == ResultsPane();
    m_controller.OnFocusTimer(snapshot);
}

void CMainDlg::FocusExpressions() {
    if (!IsIconic(m_hWnd))
        SetActiveWindow(m_hWnd);
    SetFocus(ExpressionPane());
    ShowCaret(ExpressionPane()); // a click into the keypad view may have hidden it
}

ScreenBox CMainDlg::NormalOuterBox() const {
    return ::NormalOuterBox(m_hWnd);
}

bool CMainDlg::IsMinimised() const {
    return IsIconic(m_hWnd) != FALSE;
}

void CMainDlg::BuildButtonPanel() {
    m_browser.WriteHtml(BuildPanelPage());
    m_browser.m_navigateHook.pfnCallback = &CMainDlg::OnPanelNavigate;
    m_browser.m_navigateHook.pOwner = this;
    m_browser.m_navigateHook.pBrowser = &m_browser;
}

void CMainDlg::OnPanelNavigate(BrowserHook* hook) {
    const std::string url = hook->pszUrl ? hook->pszUrl : "";
    if (static_cast<CMainDlg*>(hook->pOwner)->m_controller.OnKeypadLink(url))
        hook->bAllow = 1; // not a key: the view follows the link
}

void CMainDlg::ApplyKey(const std::string& key) {
    DWORD start = 0, end = 0;
    SendMessageW(ExpressionPane(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    const std::u16string paneText = U16(GetWideText(ExpressionPane()));
    const KeyEdit edit = ::ApplyKey(key, paneText, static_cast<int>(start), static_cast<int>(end));
    if (edit.textChanged) {
        // Only the changed part is replaced: the pane keeps its scroll position, and the key is
        // one undo step.
        const ChangedPart part = FindChangedPart(paneText, edit.text);
        const std::wstring inserted = FromU16(edit.text.substr(
            static_cast<size_t>(part.start), static_cast<size_t>(part.newEnd - part.start)));
        m_bSettingText = true;
        SendMessageW(ExpressionPane(), EM_SETSEL, static_cast<WPARAM>(part.start), part.oldEnd);
        SendMessageW(ExpressionPane(), EM_REPLACESEL, TRUE,
                     reinterpret_cast<LPARAM>(inserted.c_str()));
        m_bSettingText = false;
        SendMessageW(ExpressionPane(), EM_SETSEL, static_cast<WPARAM>(edit.caret), edit.caret);
        SendMessageW(ExpressionPane(), EM_SCROLLCARET, 0, 0);
    } else if (edit.move != CaretMove::None) {
        static const WPARAM kArrows[] = {0, VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT};
        SendMessageW(ExpressionPane(), WM_KEYDOWN, kArrows[static_cast<int>(edit.move)], 0);
    }
}

bool CMainDlg::PaintMinimised() {
    if (!IsIconic(m_hWnd))
        return false;
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int x = (client.right - SystemMetricForDpi(SM_CXICON, m_dpi) + 1) / 2;
    const int y = (client.bottom - SystemMetricForDpi(SM_CYICON, m_dpi) + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(m_hWnd, &paint);
    return true;
}

bool CMainDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_SIZE:
        Layout(LOWORD(lParam), HIWORD(lParam));
        if (wParam == SIZE_RESTORED && m_bRestorePending)
            SetTimer(m_hWnd, kRestoreTimer, kRestoreDelayMs, nullptr);
        return false;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        const BoxSize least = MinimumInnerSize(g_settings.m_showButtons != 0, FrameWidths{});
        info->ptMinTrackSize.x = Scale(least.width, m_dpi);
        info->ptMinTrackSize.y = Scale(least.height, m_dpi);
        result = 0;
        return true;
    }
    case WM_TIMER:
        if (wParam == kRestoreTimer) {
            KillTimer(m_hWnd, kRestoreTimer);
            if (m_bRestorePending && !IsIconic(m_hWnd)) {
                m_bRestorePending = false;
                // The box the start chose, brought onto the screens; the stored numbers may
                // lie off every monitor or not be a rectangle at all.
                const ScreenBox& b = m_startBox;
                SetWindowPos(m_hWnd, nullptr, b.x, b.y, b.width, b.height,
                             SWP_NOZORDER | SWP_NOACTIVATE);
            }
            result = 0;
            return true;
        }
        OnFocusTimer();
        result = 0;
        return true;
    case kSyncScrollMessage:
        if (wParam != 0 && !m_bMovingResults)
            SyncExpressionsScroll();
        else
            SyncResultsScroll();
        return true;
    case WM_DPICHANGED: {
        m_dpi = HIWORD(wParam);
        ApplyDpi();
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return true;
    }
    case WM_DESTROY:
        KillTimer(m_hWnd, kFocusTimer);
        m_controller.OnClose(); // stores once, however the window ends
        return false;
    case WM_PAINT:
        return PaintMinimised();
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(m_hIcon);
        return true;
    default:
        return false;
    }
}
