#pragma once

#include "uilogic/DialogTemplate.h"
#include "win32/controls/DialogTemplateEx.h"

#include <windows.h>

#include <string>

// The base of every dialog: built from a dialog template in memory, run modally by the dialog
// manager (DialogBoxIndirectParamW) or created modeless. It gives the skin's background,
// tooltips, and a pre-translation step that sees every message for the dialog and its
// children before the dialog manager does (through the thread's message-filter hook, which
// the dialog manager's own loop calls).
class CXDialog {
public:
    explicit CXDialog(const DialogTemplate& tmpl);
    virtual ~CXDialog();
    CXDialog(const CXDialog&) = delete;
    CXDialog& operator=(const CXDialog&) = delete;

    // Runs the dialog modally; returns what EndDialog was given, or -1 when it cannot start.
    INT_PTR DoModal(HWND parent = nullptr);
    // Creates the dialog modeless (tests, pages); false when it cannot be created.
    bool Create(HWND parent = nullptr);
    // Ends a modal run, or destroys a modeless dialog, with this result.
    void EndDialog(INT_PTR result);

    HWND GetSafeHwnd() const { return m_hWnd; }
    HWND Item(int id) const { return GetDlgItem(m_hWnd, id); }
    bool IsModal() const { return m_bModal; }
    INT_PTR Result() const { return m_result; }
    const DialogTemplate& Template() const { return m_template; }

    // Registers a tooltip text for a control (creates the tooltip control when needed).
    void AddToolTip(HWND control, const std::string& text);
    HWND ToolTip() const { return m_hToolTip; }

    // The dialog object of a window, or null.
    static CXDialog* FromHandle(HWND window);

    // Sees every message for the dialog or its children first; true consumes it. CXDialog's
    // own: Esc acts as a click on the nearest enabled Cancel (2) up the parent chain and is
    // always consumed; mouse messages go to the tooltip.
    virtual bool PreTranslateMessage(MSG& msg);

    // The thread's dialog message step as the dialog manager's loop takes it: the
    // pre-translation hook, then the dialog's keyboard handling. Test programs that run a
    // dialog modeless pump their messages through this.
    static bool FilterMessage(MSG& msg);

protected:
    // WM_INITDIALOG; return FALSE when the focus has been set.
    virtual BOOL OnInitDialog();
    // WM_COMMAND after the controls' own handling; the default ends the dialog on OK (1) and
    // Cancel (2).
    virtual void OnCommand(int id, int code);
    virtual void OnOK();
    virtual void OnCancel();
    // Any other message; true when handled, with the result in result.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Shrinks a dialog that with its frame is larger than the work area of its monitor to the
    // room there is, and moves it onto that work area; one that fits stays as it is. Run once
    // the dialog has been set up (after OnInitDialog).
    void FitOnScreen();

    // Creates the tooltip control (TTS_ALWAYSTIP).
    void CreateToolTip();

    HWND m_hWnd = nullptr;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleColor(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    const DialogTemplate& m_template;
    DialogTemplateEx m_bytes;
    HWND m_hToolTip = nullptr;
    bool m_bModal = false;
    INT_PTR m_result = 0;
};
