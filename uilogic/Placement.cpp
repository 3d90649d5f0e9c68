#include "uilogic/Placement.h"

#include "uilogic/Layout.h"

#include <algorithm>

namespace {

constexpr int kFirstWidth = 510;
constexpr int kFirstHeight = 285;
constexpr BoxSize kMinWithPanel{450, 245};
constexpr BoxSize kMinWithoutPanel{200, 80};
constexpr int kKeypadBelow = 1; // the keypad view ends 1 pixel above the client's bottom

long long OverlapArea(const ScreenBox& a, const ScreenBox& b) {
    const long long w = std::min(a.x + a.width, b.x + b.width) - std::max(a.x, b.x);
    const long long h = std::min(a.y + a.height, b.y + b.height) - std::max(a.y, b.y);
    return w > 0 && h > 0 ? w * h : 0;
}

// The squared distance between the nearest points of two rectangles that do not overlap.
long long GapSquared(const ScreenBox& a, const ScreenBox& b) {
    const long long dx = std::max({0, b.x - (a.x + a.width), a.x - (b.x + b.width)});
    const long long dy = std::max({0, b.y - (a.y + a.height), a.y - (b.y + b.height)});
    return dx * dx + dy * dy;
}

// One side of the window within one side of the work area: its length kept where it fits.
void FitSpan(int& start, int& length, int areaStart, int areaLength) {
    length = std::min(length, areaLength);
    start = std::clamp(start, areaStart, areaStart + areaLength - length);
}

} // namespace

ScreenBox OntoNearestScreen(const ScreenBox& outer, const std::vector<ScreenBox>& workAreas) {
    if (workAreas.empty())
        return outer;
    long long covered = 0;
    const ScreenBox* nearest = &workAreas.front();
    for (const ScreenBox& area : workAreas) {
        const long long overlap = OverlapArea(outer, area);
        covered += overlap;
        const long long best = OverlapArea(outer, *nearest);
        if (overlap > best ||
            (overlap == 0 && best == 0 && GapSquared(outer, area) < GapSquared(outer, *nearest)))
            nearest = &area;
    }
    if (covered >= static_cast<long long>(outer.width) * outer.height)
        return outer; // wholly on the screens, maybe across two of them
    ScreenBox fitted = outer;
    FitSpan(fitted.x, fitted.width, nearest->x, nearest->width);
    FitSpan(fitted.y, fitted.height, nearest->y, nearest->height);
    return fitted;
}

ScreenBox StartOuterBox(CalcSettings& settings, const ScreenBox& workArea) {
    if (settings.m_windowState == WindowState::NeverSaved) {
        settings.m_windowRect = {0, 0, kFirstWidth, kFirstHeight};
        return {workArea.x + (workArea.width - kFirstWidth) / 2,
                workArea.y + (workArea.height - kFirstHeight) / 2, kFirstWidth, kFirstHeight};
    }
    const WindowRect& r = settings.m_windowRect;
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

ScreenBox InnerFromOuter(const ScreenBox& outer, const FrameWidths& frame) {
    return {outer.x + frame.left, outer.y + frame.top, outer.width - frame.left - frame.right,
            outer.height - frame.top - frame.bottom};
}

ScreenBox OuterFromInner(const ScreenBox& inner, const FrameWidths& frame) {
    return {inner.x - frame.left, inner.y - frame.top, inner.width + frame.left + frame.right,
            inner.height + frame.top + frame.bottom};
}

BoxSize MinimumInnerSize(bool panelShown, const FrameWidths& frame) {
    const BoxSize outer = panelShown ? kMinWithPanel : kMinWithoutPanel;
    BoxSize inner{outer.width - frame.left - frame.right, outer.height - frame.top - frame.bottom};
    // A thick frame must not cut off the keypad's bottom row: the window grows a little then.
    if (panelShown)
        inner.height = std::max(inner.height, KeypadLeastHeight() + kKeypadBelow);
    return inner;
}

bool StartsMinimised(const CalcSettings& settings) {
    return settings.m_windowState == WindowState::Minimised;
}

ScreenBox NormalOuterBox(const ScreenBox& outer, bool maximised, const ScreenBox& normalInner,
                         const FrameWidths& frame) {
    return maximised ? OuterFromInner(normalInner, frame) : outer;
}

void RecordPlacement(CalcSettings& settings, const ScreenBox& outer, bool minimised) {
    settings.m_windowState = minimised ? WindowState::Minimised : WindowState::Normal;
    if (!minimised)
        settings.m_windowRect = {outer.x, outer.y, outer.x + outer.width, outer.y + outer.height};
}

bool StartPlacement::OnFrame(const FrameWidths& frame, ScreenBox& inner) {
    if (!m_pending || !frame.IsKnown())
        return false;
    m_pending = false;
    inner = InnerFromOuter(m_wantedOuter, frame);
    return true;
}
