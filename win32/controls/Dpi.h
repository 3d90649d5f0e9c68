#pragma once

#include <windows.h>

// Dots per inch, through the per-monitor functions of Windows 10 where they exist and the
// screen's system value on older systems (looked up at run time, so the program still starts
// on Windows versions without them).

constexpr int kBaseDpi = 96;

// The DPI of the monitor the window is on.
int DpiOf(HWND window);
// A length of pixels at 96 DPI, scaled to dpi.
int Scale(int pixels, int dpi);
// Outer size for a client area, at dpi.
bool AdjustRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);
// A system metric (SM_CXICON, ...) at dpi.
int SystemMetricForDpi(int index, int dpi);
// Makes the process aware of each monitor's DPI when the manifest did not (the test programs).
void MakeProcessPerMonitorAware();
