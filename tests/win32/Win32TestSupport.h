#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Helpers for the tests that run the real windows in this process under Wine: a message pump
// that takes the dialog manager's path (pre-translation, then the dialog keys), typing, and
// driving a modal dialog from inside its own loop.

// What start-up does before the first window: the common controls (the versioned button, edit
// and static classes of the manifest included). Every test that makes a window calls it first.
void PrepareWindows();

// Pumps the thread's messages until condition holds or timeoutMs passes; true when it held.
bool PumpUntil(const std::function<bool()>& condition, int timeoutMs = 5000);
// Pumps whatever is waiting now (and what that posts), for at most timeoutMs.
void PumpPending(int timeoutMs = 200);

// Types text into a window as the keyboard would, one WM_CHAR per UTF-16 unit; '\n' is Enter.
void TypeChars(HWND window, const std::wstring& text);
// A key press (WM_KEYDOWN, then WM_KEYUP) posted to the window and pumped.
void PressKey(HWND window, WPARAM key);

// While a modal loop runs: calls drive with each dialog this thread shows that is not
// `except`, once, from a timer inside that loop.
class ModalDriver {
public:
    explicit ModalDriver(std::function<void(HWND dialog)> drive, HWND except = nullptr);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;
    int Driven() const { return m_driven; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    std::function<void(HWND)> m_drive;
    HWND m_except;
    UINT_PTR m_timer = 0;
    int m_driven = 0;
    HWND m_last = nullptr;
};

// The text of a window as UTF-8.
std::string TextOf(HWND window);
// True when a WM_COMMAND with this id and code waits in the thread's queue for `to`.
bool CommandIsQueued(HWND to, int id, int code);
// Removes every waiting WM_COMMAND for `to`.
void DropQueuedCommands(HWND to);
