#include "tests/win32/Win32TestSupport.h"

#include "win32/controls/CXDialog.h"
#include "win32/controls/WindowText.h"

#include <commctrl.h>

namespace {

ModalDriver* g_driver = nullptr;

void DispatchOne(MSG& msg) {
    if (CXDialog::FilterMessage(msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

} // namespace

void PrepareWindows() {
    static const bool prepared = [] {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
        const bool ready = InitCommonControlsEx(&controls) != FALSE;
        // The first window of a process can fail while Wine's desktop is still starting on a
        // new display: wait until one can be made.
        for (int attempt = 0; attempt < 50; ++attempt) {
            if (HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                             nullptr, nullptr, nullptr)) {
                DestroyWindow(probe);
                break;
            }
            Sleep(100);
        }
        return ready;
    }();
    (void)prepared;
}

bool PumpUntil(const std::function<bool()>& condition, int timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchOne(msg);
        if (condition())
            return true;
        if (static_cast<int>(GetTickCount() - start) > timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpPending(int timeoutMs) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchOne(msg);
        if (static_cast<int>(GetTickCount() - start) > timeoutMs)
            break;
    }
}

void TypeChars(HWND window, const std::wstring& text) {
    for (wchar_t c : text) {
        PostMessageW(window, WM_CHAR, c == L'\n' ? L'\r' : c, 1);
        PumpPending();
    }
}

void PressKey(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
    PumpPending();
}

ModalDriver::ModalDriver(std::function<void(HWND)> drive, HWND except)
    : m_drive(std::move(drive)), m_except(except) {
    g_driver = this;
    m_timer = SetTimer(nullptr, 0, 50, &ModalDriver::OnTimer);
}

ModalDriver::~ModalDriver() {
    KillTimer(nullptr, m_timer);
    g_driver = nullptr;
}

void CALLBACK ModalDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    ModalDriver* self = g_driver;
    if (self == nullptr)
        return;
    HWND active = GetActiveWindow();
    if (active == nullptr || active == self->m_except || active == self->m_last ||
        CXDialog::FromHandle(active) == nullptr)
        return;
    self->m_last = active;
    ++self->m_driven;
    self->m_drive(active);
}

std::string TextOf(HWND window) {
    return GetWindowTextUtf8(window);
}

bool CommandIsQueued(HWND to, int id, int code) {
    MSG msg;
    std::vector<MSG> seen;
    bool found = false;
    while (PeekMessageW(&msg, to, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
        seen.push_back(msg);
        if (LOWORD(msg.wParam) == id && HIWORD(msg.wParam) == code)
            found = true;
    }
    for (const MSG& m : seen)
        PostMessageW(m.hwnd, m.message, m.wParam, m.lParam);
    return found;
}

void DropQueuedCommands(HWND to) {
    MSG msg;
    while (PeekMessageW(&msg, to, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
    }
}
