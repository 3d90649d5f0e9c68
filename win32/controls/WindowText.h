#pragma once

#include "platform/win32/WideText.h"

#include <windows.h>

#include <string>

// Window texts cross the API as UTF-16 and are UTF-8 inside the program.

std::wstring GetWideText(HWND window);
std::string GetWindowTextUtf8(HWND window);
// Invalid UTF-8 sets no text and returns false.
bool SetWindowTextUtf8(HWND window, const std::string& text);
