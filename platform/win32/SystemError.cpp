#include "platform/SystemError.h"
#include "platform/win32/WideText.h"

#include <windows.h>

#include <cstdio>

std::string SystemErrorText(int code) {
    // Win32 error codes and HRESULTs alike; an HRESULT arrives as a negative int.
    const DWORD error = static_cast<DWORD>(code);
    LPWSTR buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    std::wstring text;
    if (length > 0 && buffer != nullptr)
        text.assign(buffer, length);
    if (buffer != nullptr)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' ||
                             text.back() == L'.'))
        text.pop_back();
    if (text.empty()) {
        char number[32];
        std::snprintf(number, sizeof number, "Error 0x%08lX", static_cast<unsigned long>(error));
        return number;
    }
    return WideToUtf8(text);
}

int LastSystemError() {
    return static_cast<int>(GetLastError());
}
