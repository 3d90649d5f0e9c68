// Reads the calculator's window from another process under the same Wine server, for the
// real-desktop lane: its outer rectangle, whether it is minimised, and the exact text of both
// panes. Prints, as UTF-8 with LF line ends:
//   rect <left> <top> <right> <bottom>
//   iconic <0|1>
//   topmost <0|1>
//   button <width> <height>          (the keep-on-top button)
//   expressions <byte count>
//   <text>
//   results <byte count>
//   <text>
// Exit status 1 when no calculator window is shown.
#include "platform/win32/WideText.h"

#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>

namespace {

BOOL CALLBACK FindCalculator(HWND window, LPARAM found) {
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    if (IsWindowVisible(window) && wcsncmp(title, L"Corvane Calculator", 18) == 0 &&
        GetDlgItem(window, 1000) != nullptr) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

std::string PaneText(HWND window, int id) {
    HWND pane = GetDlgItem(window, id);
    DWORD_PTR length = 0;
    SendMessageTimeoutW(pane, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
    std::wstring text(length + 1, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(pane, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &got);
    text.resize(got);
    std::string utf8;
    for (char c : WideToUtf8(text)) {
        if (c != '\r')
            utf8 += c;
    }
    return utf8;
}

void PrintText(const char* name, const std::string& text) {
    std::printf("%s %u\n", name, static_cast<unsigned>(text.size()));
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::printf("\n");
}

} // namespace

int main() {
    _setmode(_fileno(stdout), _O_BINARY);
    HWND window = nullptr;
    EnumWindows(&FindCalculator, reinterpret_cast<LPARAM>(&window));
    if (window == nullptr)
        return 1;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    const RECT& r = placement.rcNormalPosition;
    std::printf("rect %ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    std::printf("iconic %d\n", IsIconic(window) ? 1 : 0);
    std::printf("topmost %d\n", (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0);
    RECT button{};
    GetWindowRect(GetDlgItem(window, 1003), &button);
    std::printf("button %ld %ld\n", button.right - button.left, button.bottom - button.top);
    PrintText("expressions", PaneText(window, 1000));
    PrintText("results", PaneText(window, 1002));
    return 0;
}
