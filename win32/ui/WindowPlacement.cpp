#include "win32/ui/WindowPlacement.h"

#include "uilogic/Placement.h"
#include "win32/controls/Dpi.h"

#include <vector>

namespace {

ScreenBox BoxOf(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

RECT RectOf(const ScreenBox& b) {
    return {b.x, b.y, b.x + b.width, b.y + b.height};
}

MONITORINFO MonitorOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(monitor, &info);
    return info;
}

// The placement keeps the restored rectangle in workspace coordinates: relative to the work
// area of the window's monitor, not to the screen.
POINT WorkspaceOffset(const RECT& screenRect) {
    const MONITORINFO info = MonitorOf(MonitorFromRect(&screenRect, MONITOR_DEFAULTTONEAREST));
    return {info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top};
}

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    reinterpret_cast<std::vector<ScreenBox>*>(areas)->push_back(BoxOf(MonitorOf(monitor).rcWork));
    return TRUE;
}

// The work areas of all monitors as they are now.
std::vector<ScreenBox> WorkAreas() {
    std::vector<ScreenBox> areas;
    EnumDisplayMonitors(nullptr, nullptr, &AddWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

} // namespace

ScreenBox StartBox(HWND window, CalcSettings& settings) {
    RECT current{};
    GetWindowRect(window, &current);
    const MONITORINFO monitor = MonitorOf(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY));
    if (settings.m_windowState != WindowState::NeverSaved)
        return OntoNearestScreen(StartOuterBox(settings, BoxOf(monitor.rcWork)), WorkAreas());
    // The first window is reckoned at 96 DPI on the work area, then scaled to the monitor.
    const int dpi = DpiOf(window);
    const ScreenBox work = BoxOf(monitor.rcWork);
    const ScreenBox at96 = StartOuterBox(
        settings, {0, 0, MulDiv(work.width, kBaseDpi, dpi), MulDiv(work.height, kBaseDpi, dpi)});
    const int width = Scale(at96.width, dpi), height = Scale(at96.height, dpi);
    return {work.x + (work.width - width) / 2, work.y + (work.height - height) / 2, width, height};
}

void ApplyOuterBox(HWND window, const ScreenBox& outer) {
    RECT r = RectOf(outer);
    const POINT offset = WorkspaceOffset(r);
    OffsetRect(&r, -offset.x, -offset.y);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    placement.flags = 0;
    placement.showCmd = IsWindowVisible(window) ? SW_SHOWNORMAL : SW_HIDE;
    placement.rcNormalPosition = r;
    SetWindowPlacement(window, &placement);
}

ScreenBox NormalOuterBox(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(window, &placement)) {
        RECT r{};
        GetWindowRect(window, &r);
        return BoxOf(r);
    }
    RECT r = placement.rcNormalPosition;
    const POINT offset = WorkspaceOffset(r);
    OffsetRect(&r, offset.x, offset.y);
    return BoxOf(r);
}
