#include "win32/setup/SetupWizard.h"

#include "settings/TextTable.h"
#include "uilogic/WizardTemplates.h"
#include "win32/controls/CXImageList.h"
#include "win32/controls/Dpi.h"
#include "win32/controls/WindowText.h"

namespace {

// Where the pages lie in the frame, in the frame's dialog units: below the banner, above the
// separator line, across the frame (the options page's "Change ..." ends at 294).
constexpr RECT kPageUnits{3, 74, 300, 218};

// The banner's and the separator line's own sizes: pixels at 96 DPI.
constexpr SIZE kBannerSize{458, 110};
constexpr SIZE kSeparatorSize{445, 10};

// A picture control shows its bitmap stretched to the size it has at the window's DPI.
void FitPicture(HWND picture, SIZE size, int dpi) {
    if (picture == nullptr)
        return;
    SetWindowLongPtrW(picture, GWL_STYLE,
                      GetWindowLongPtrW(picture, GWL_STYLE) | SS_REALSIZECONTROL);
    SetWindowPos(picture, nullptr, 0, 0, Scale(size.cx, dpi), Scale(size.cy, dpi),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

CAgreementPage::CAgreementPage() : CXDialog(AgreementPageTemplate()) {}

BOOL CAgreementPage::OnInitDialog() {
    m_browser.CreateInParent(ViewRect(), WS_VISIBLE, SetupControl::AgreementView, m_hWnd);
    m_browser.WriteHtml(GetText(TextId::AgreementPage));
    return TRUE;
}

RECT CAgreementPage::ViewRect() const {
    // The view fills the page but for a thin strip below it.
    RECT view{};
    GetClientRect(m_hWnd, &view);
    view.bottom -= Scale(3, DpiOf(m_hWnd));
    return view;
}

bool CAgreementPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_SIZE && m_browser.GetHwnd() != nullptr)
        m_browser.SetRect(ViewRect()); // the frame places its pages once they exist
    return CXDialog::OnMessage(message, wParam, lParam, result);
}

bool CAgreementPage::PreTranslateMessage(MSG& msg) {
    // Enter anywhere in the licence page, its view included, agrees: the frame's OK.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
        if (HWND frame = GetParent(m_hWnd)) {
            PostMessageW(frame, WM_COMMAND, MAKEWPARAM(DialogId::Ok, BN_CLICKED), 0);
            return true;
        }
    }
    return CXDialog::PreTranslateMessage(msg);
}

COptionsPage::COptionsPage() : CXDialog(OptionsPageTemplate()) {}

BOOL COptionsPage::OnInitDialog() {
    m_chkDesktopIcon.Attach(m_hWnd, SetupControl::DesktopIcon);
    m_chkRunAfter.Attach(m_hWnd, SetupControl::RunAfter);
    m_btnChange.Attach(m_hWnd, SetupControl::Change);
    // The folder line answers the mouse, so that its tooltip shows the whole folder.
    if (HWND line = Item(SetupControl::FolderLine))
        SetWindowLongPtrW(line, GWL_STYLE, GetWindowLongPtrW(line, GWL_STYLE) | SS_NOTIFY);
    return TRUE;
}

void COptionsPage::OnCommand(int id, int code) {
    if (id == SetupControl::Change && code == BN_CLICKED && m_onChange)
        m_onChange();
    // OK and Cancel belong to the frame; a page never ends itself.
}

CSetupFrame::CSetupFrame(SetupPrompt* prompt)
    : CXDialog(SetupFrameTemplate()), m_prompt(prompt != nullptr ? *prompt : m_systemPrompt),
      m_flow(*this, m_prompt) {}

HWND CSetupFrame::FolderLine() const {
    return m_options.Item(SetupControl::FolderLine);
}

BOOL CSetupFrame::OnInitDialog() {
    CreateToolTip();
    m_systemPrompt.SetOwner(m_hWnd);
    RECT place = kPageUnits;
    MapDialogRect(m_hWnd, &place);
    for (CXDialog* page :
         {static_cast<CXDialog*>(&m_agreement), static_cast<CXDialog*>(&m_options)})
        page->Create(m_hWnd);
    for (HWND page : {m_agreement.GetSafeHwnd(), m_options.GetSafeHwnd()})
        MoveWindow(page, place.left, place.top, place.right - place.left, place.bottom - place.top,
                   TRUE);
    const int dpi = DpiOf(m_hWnd);
    FitPicture(Item(SetupControl::Banner), kBannerSize, dpi);
    // The separator line is the frame's one control without an id.
    FitPicture(GetDlgItem(m_hWnd, kNoId), kSeparatorSize, dpi);
    ShowWindow(m_agreement.GetSafeHwnd(), SW_SHOW);
    ShowWindow(m_options.GetSafeHwnd(), SW_HIDE);

    m_btnOk.Attach(m_hWnd, DialogId::Ok);
    m_btnCancel.Attach(m_hWnd, DialogId::Cancel);
    const CXImageList* images = SharedImages(dpi);
    m_btnCancel.SetImage(images, SharedImage::Cancel);
    m_btnOk.SetImage(images, SharedImage::Ok);

    m_options.m_onChange = [this] {
        m_flow.OnChangeFolder();
        // Back from the folder picker, Enter installs.
        SetFocus(m_btnOk.GetSafeHwnd());
    };
    m_flow.Start();
    // Cancel comes first in the tab order, but Enter means OK: the focus starts on OK.
    SetFocus(m_btnOk.GetSafeHwnd());
    return FALSE;
}

void CSetupFrame::OnOK() {
    m_flow.OnOK();
}

void CSetupFrame::ShowOptionsPage(const std::string& okText) {
    ShowWindow(m_agreement.GetSafeHwnd(), SW_HIDE);
    ShowWindow(m_options.GetSafeHwnd(), SW_SHOW);
    m_btnOk.SetText(okText);
    // Hiding the licence view would hand the focus on to Cancel.
    SetFocus(m_btnOk.GetSafeHwnd());
}

void CSetupFrame::SetFolderLine(const std::string& text, const std::string& tooltip) {
    HWND line = FolderLine();
    SetWindowTextUtf8(line, text);
    m_options.AddToolTip(line, tooltip);
}

void CSetupFrame::SetOptions(bool desktopIcon, bool runAfter) {
    m_options.m_chkDesktopIcon.SetCheck(desktopIcon ? 1 : 0);
    m_options.m_chkRunAfter.SetCheck(runAfter ? 1 : 0);
}

bool CSetupFrame::DesktopIconChecked() const {
    return m_options.m_chkDesktopIcon.GetCheck() != 0;
}

bool CSetupFrame::RunAfterChecked() const {
    return m_options.m_chkRunAfter.GetCheck() != 0;
}

void CSetupFrame::EndWizard() {
    EndDialog(DialogId::Ok);
}
