#include "win32/controls/WindowText.h"

#include "platform/win32/WideText.h"

std::wstring GetWideText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

std::string GetWindowTextUtf8(HWND window) {
    return WideToUtf8(GetWideText(window));
}

bool SetWindowTextUtf8(HWND window, const std::string& text) {
    std::wstring wide;
    if (!Utf8ToWide(text, wide))
        return false;
    return SetWindowTextW(window, wide.c_str()) != FALSE;
}
