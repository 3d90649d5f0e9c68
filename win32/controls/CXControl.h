#pragma once

#include <windows.h>

// A dialog control bound to an object (subclassed by id). The dialog offers the control's own
// notifications and colour requests back to it first, so the control can update its copy of
// the value before the dialog's handlers run.
class CXControl {
public:
    CXControl() = default;
    virtual ~CXControl();
    CXControl(const CXControl&) = delete;
    CXControl& operator=(const CXControl&) = delete;

    // Binds to the dialog's control with this id; false when there is none.
    bool Attach(HWND dialog, int id);
    void Detach();
    HWND GetSafeHwnd() const { return m_hWnd; }
    int Id() const;

    static CXControl* FromHandle(HWND window);

    // A WM_COMMAND notification the control sent its parent; true consumes it.
    virtual bool OnReflectedCommand(int code);
    // A WM_CTLCOLOR* request for the control; true with the brush in brush.
    virtual bool OnReflectedColor(HDC dc, HBRUSH& brush);

protected:
    // Messages of the control's window; the default passes them on.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // Called once the window is bound.
    virtual void OnAttached() {}

    HWND m_hWnd = nullptr;

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
};

// Posts a control's notification to a window as the controls report: WM_COMMAND with the id
// and code, and lParam as given.
void PostCommand(HWND to, int id, int code, LPARAM lParam);
