#include "win32/ui/MainDlg.h"

#include "platform/win32/WideText.h"
#include "settings/TextTable.h"
#include "uilogic/DialogTemplates.h"
#include "uilogic/EscKey.h"
#include "uilogic/KeyEdit.h"
#include "uilogic/Layout.h"
#include "uilogic/Pages.h"
#include "uilogic/Placement.h"
#include "uilogic/ResultTip.h"
#include "win32/controls/CXImageList.h"
#include "win32/controls/Dpi.h"
#include "win32/controls/WindowText.h"
#include "win32/ui/AboutDlg.h"
#include "win32/ui/HelpDlg.h"
#include "win32/ui/ProgramIcon.h"
#include "win32/ui/SettingsDlg.h"
#include "win32/ui/WindowPlacement.h"
#include "worksheet/Worksheet.h"

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
    : CXDialog(MainDialogTemplate()), m_settingsPath(std::move(settingsPath)) {}

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
    ApplyDpi();
    // The keypad view; the layout moves it. Without the HTML engine it stays an empty window.
    m_browser.CreateInParent(RECT{0, 0, 100, 100}, WS_VISIBLE, MainId::Browser, m_hWnd);

    AddToolTip(m_btnKeepOnTop.GetSafeHwnd(), "Keep on top");
    AddToolTip(m_btnSettings.GetSafeHwnd(), "Settings");
    AddToolTip(m_btnHelp.GetSafeHwnd(), "Help");
    AddToolTip(m_btnAbout.GetSafeHwnd(), "About");
    AddToolTip(m_btnPanel.GetSafeHwnd(), "Show buttons");
    AddToolTip(ResultsPane(), "");
    if (ToolTip() != nullptr)
        SendMessageW(ToolTip(), TTM_SETMAXTIPWIDTH, 0, Scale(600, m_dpi));

    LoadSettingsIntoPane();
    PlaceWindow();
    if (StartsMinimised(g_settings)) {
        ShowWindow(m_hWnd, SW_MINIMIZE);
        m_bRestorePending = true;
    }
    BuildButtonPanel();
    ApplyKeepOnTop(); // also shows the window
    ApplyPanelVisibility();

    SetFocus(ExpressionPane());
    SendMessageW(ExpressionPane(), EM_SETSEL, 0, 0);
    SendMessageW(ExpressionPane(), EM_SCROLLCARET, 0, 0);
    SetTimer(m_hWnd, kFocusTimer, kFocusPeriodMs, nullptr);
    return FALSE; // the focus has been set
}

void CMainDlg::ApplyDpi() {
    const CXImageList* images = SharedImages(m_dpi);
    m_btnSettings.SetImage(images, SharedImage::Settings);
    m_btnHelp.SetImage(images, SharedImage::Help);
    m_btnAbout.SetImage(images, SharedImage::About);
    m_btnKeepOnTop.SetImage(images,
                            g_settings.m_keepOnTop ? SharedImage::PinIn : SharedImage::PinOut);
    m_btnPanel.SetImage(images, g_settings.m_showButtons ? SharedImage::ArrowLeft
                                                         : SharedImage::ArrowRight);
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
    ApplyOuterBox(m_hWnd, StartBox(m_hWnd, g_settings));
}

ScreenBox CMainDlg::OuterBox() const {
    return NormalOuterBox(m_hWnd);
}

void CMainDlg::LoadSettingsIntoPane() {
    LoadSettings(m_settingsPath);
    SetWindowTextUtf8(ExpressionPane(), g_settings.m_expressions);
    Recalculate();
}

void CMainDlg::Recalculate() {
    const std::string text = GetWindowTextUtf8(ExpressionPane());
    std::string results;
    {
        Worksheet sheet; // variables live for one pass
        sheet.SetFormatOptions(GetFormatOptions(g_settings));
        sheet.EvaluateText(text, results);
    }
    const std::wstring shown = Wide(results);
    if (shown != m_resultsShown) {
        m_bMovingResults = true; // new text scrolls the results to the top: not the user's move
        SetWindowTextW(ResultsPane(), shown.c_str());
        m_bMovingResults = false;
        m_resultsShown = shown;
    }
    SyncResultsScroll();
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

void CMainDlg::ApplyKeepOnTop() {
    const bool onTop = g_settings.m_keepOnTop != 0;
    m_btnKeepOnTop.SetImage(SharedImages(m_dpi), onTop ? SharedImage::PinIn : SharedImage::PinOut);
    constexpr UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW;
    if (onTop) {
        SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, flags);
    } else {
        SetWindowPos(m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, flags);
        SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, flags);
    }
}

void CMainDlg::ApplyPanelVisibility() {
    const bool shown = g_settings.m_showButtons != 0;
    m_btnPanel.SetImage(SharedImages(m_dpi),
                        shown ? SharedImage::ArrowLeft : SharedImage::ArrowRight);
    m_browser.Show(shown);
    AddToolTip(m_btnPanel.GetSafeHwnd(), shown ? "Hide buttons" : "Show buttons");
}

void CMainDlg::OnPanelButton() {
    g_settings.m_showButtons = g_settings.m_showButtons ? 0 : 1;
    ApplyPanelVisibility();
    RECT outer{};
    GetWindowRect(m_hWnd, &outer);
    const int width = outer.right - outer.left;
    const int panel = Scale(WidthAfterPanelToggle(0, true), m_dpi); // the keypad's width
    const int newWidth = g_settings.m_showButtons ? width + panel : width - panel;
    SetWindowPos(m_hWnd, nullptr, 0, 0, newWidth, outer.bottom - outer.top,
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
        if (code == EN_CHANGE)
            Recalculate();
        else if (code == EN_VSCROLL)
            SyncResultsScroll();
        return;
    }
    if (id == MainId::Results) {
        if (code == EN_VSCROLL && !m_bMovingResults)
            SyncExpressionsScroll();
        return;
    }
    if (code != BN_CLICKED) {
        CXDialog::OnCommand(id, code);
        return;
    }
    switch (id) {
    case MainId::KeepOnTop:
        g_settings.m_keepOnTop = g_settings.m_keepOnTop ? 0 : 1;
        ApplyKeepOnTop();
        break;
    case MainId::Settings:
        OnSettingsButton();
        break;
    case MainId::Help: {
        CHelpDlg help;
        help.DoModal(m_hWnd);
        break;
    }
    case MainId::Panel:
        OnPanelButton();
        return; // the focus keeper brings the focus back
    case MainId::About: {
        CAboutDlg about;
        about.DoModal(m_hWnd);
        break;
    }
    default:
        CXDialog::OnCommand(id, code);
        return;
    }
    FocusExpressions();
}

void CMainDlg::OnSettingsButton() {
    CSettingsDlg settings;
    if (settings.DoModal(m_hWnd) != DialogId::Ok)
        return;
    Recalculate(); // the formatting options may have changed
    StoreWindowAndSave();
}

bool CMainDlg::PreTranslateMessage(MSG& msg) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        switch (EscKeyResponse(g_settings)) {
        case EscResponse::Minimise:
            ShowWindow(m_hWnd, SW_MINIMIZE);
            break;
        case EscResponse::CloseWindow:
            EndDialog(0);
            break;
        case EscResponse::Nothing:
            break;
        }
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

void CMainDlg::UpdateResultTip(POINT at) {
    HWND results = ResultsPane();
    const LRESULT found = SendMessageW(results, EM_CHARFROMPOS, 0, MAKELPARAM(at.x, at.y));
    int line = static_cast<int>(HIWORD(found));
    const int start = static_cast<int>(SendMessageW(results, EM_LINEINDEX, line, 0));
    const int length = static_cast<int>(SendMessageW(results, EM_LINELENGTH, start, 0));
    std::string tip;
    if (start >= 0 && length > 0) {
        const LRESULT pos = SendMessageW(results, EM_POSFROMCHAR, start, 0);
        const int left = static_cast<short>(LOWORD(pos));
        const int top = static_cast<short>(HIWORD(pos));
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
        if (at.y >= top && at.y < top + extent.cy) {
            const std::string text = WideToUtf8(shown);
            const std::string explained =
                NeedsExplanation(text)
                    ? ExplainedResultLine(GetWindowTextUtf8(ExpressionPane()), line)
                    : std::string();
            tip = ResultToolTip(text, explained,
                                IsResultCutOff(left, extent.cx, client.right - client.left));
        } else {
            line = -1;
        }
    } else {
        line = -1;
    }
    if (tip.empty())
        line = -1;
    if (line == m_resultTipLine)
        return;
    m_resultTipLine = line;
    if (ToolTip() != nullptr)
        SendMessageW(ToolTip(), TTM_POP, 0, 0);
    AddToolTip(results, tip); // an empty text shows no tip
}

void CMainDlg::OnFocusTimer() {
    if (!IsWindowEnabled(m_hWnd))
        return; // a dialog opened from here keeps its focus
    HWND focus = GetFocus();
    if (focus == nullptr || (focus != m_hWnd && !IsChild(m_hWnd, focus)))
        return; // another application, or another window of ours, has it
    if (focus == ExpressionPane() || focus == ResultsPane())
        return;
    FocusExpressions();
}

void CMainDlg::FocusExpressions() {
    if (!IsIconic(m_hWnd))
        SetActiveWindow(m_hWnd);
    SetFocus(ExpressionPane());
}

void CMainDlg::StoreWindowAndSave() {
    RecordPlacement(g_settings, OuterBox(), IsIconic(m_hWnd) != FALSE);
    g_settings.m_expressions = GetWindowTextUtf8(ExpressionPane());
    SaveSettings(m_settingsPath);
}

void CMainDlg::BuildButtonPanel() {
    m_browser.WriteHtml(BuildPanelPage());
    m_browser.m_navigateHook.pfnCallback = &CMainDlg::OnPanelNavigate;
    m_browser.m_navigateHook.pOwner = this;
    m_browser.m_navigateHook.pBrowser = &m_browser;
}

void CMainDlg::OnPanelNavigate(BrowserHook* hook) {
    std::string key;
    const std::string url = hook->pszUrl ? hook->pszUrl : "";
    if (!KeyNameFromAddress(url, GetText(TextId::KeyLinkPrefix), key)) {
        hook->bAllow = 1; // not a key: the view follows the link
        return;
    }
    static_cast<CMainDlg*>(hook->pOwner)->InsertKey(key);
}

void CMainDlg::InsertKey(const std::string& key) {
    DWORD start = 0, end = 0;
    SendMessageW(ExpressionPane(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    const KeyEdit edit = ApplyKey(key, U16(GetWideText(ExpressionPane())), static_cast<int>(start),
                                  static_cast<int>(end));
    if (edit.textChanged) {
        SetWindowTextW(ExpressionPane(), FromU16(edit.text).c_str());
        SendMessageW(ExpressionPane(), EM_SETSEL, static_cast<WPARAM>(edit.caret), edit.caret);
        SendMessageW(ExpressionPane(), EM_SCROLLCARET, 0, 0);
    } else if (edit.move != CaretMove::None) {
        static const WPARAM kArrows[] = {0, VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT};
        SendMessageW(ExpressionPane(), WM_KEYDOWN, kArrows[static_cast<int>(edit.move)], 0);
    }
    Recalculate(); // a text set by the program raises no change of its own
    FocusExpressions();
    ShowCaret(ExpressionPane());
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
                const WindowRect& r = g_settings.m_windowRect;
                SetWindowPos(m_hWnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
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
        if (!m_bStored) {
            StoreWindowAndSave();
            m_bStored = true;
        }
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
