#include "uilogic/Placement.h"

#include "uilogic/Layout.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr int kFirstWidth = 510;
constexpr int kFirstHeight = 285;
constexpr BoxSize kMinWithPanel{450, 245};
constexpr BoxSize kMinWithoutPanel{200, 80};
constexpr int kKeypadBelow = 1; // the keypad view ends 1 pixel above the client's bottom

// Edges reckoned in 64 bits: a stored rectangle may stand near the ends of the int range.
long long End(int start, int length) {
    return static_cast<long long>(start) + length;
}

long long OverlapArea(const ScreenBox& a, const ScreenBox& b) {
    const long long w = std::min(End(a.x, a.width), End(b.x, b.width)) - std::max(a.x, b.x);
    const long long h = std::min(End(a.y, a.height), End(b.y, b.height)) - std::max(a.y, b.y);
    return w > 0 && h > 0 ? w * h : 0;
}

// The squared distance between the nearest points of two rectangles that do not overlap.
// Rectangles far apart compare by a distance cut short, which still finds the nearer one.
long long GapSquared(const ScreenBox& a, const ScreenBox& b) {
    constexpr long long kFar = 1LL << 30;
    const long long dx =
        std::min(kFar, std::max({0LL, b.x - End(a.x, a.width), a.x - End(b.x, b.width)}));
    const long long dy =
        std::min(kFar, std::max({0LL, b.y - End(a.y, a.height), a.y - End(b.y, b.height)}));
    return dx * dx + dy * dy;
}

// One side of a stored rectangle: its length, at least least and at most what an int holds.
int StoredLength(int32_t start, int32_t end, int least) {
    const int64_t length = static_cast<int64_t>(end) - start;
    return static_cast<int>(std::clamp<int64_t>(length, least, std::numeric_limits<int>::max()));
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
    const WindowRect& r = settings.m_windowRect;
    const bool firstRun = settings.m_windowState == WindowState::NeverSaved;
    // A hand-edited file may hold a reversed or empty rectangle: it has no size to keep, so
    // the window starts where and as large as a first run's.
    if (firstRun || r.right <= r.left || r.bottom <= r.top) {
        if (firstRun)
            settings.m_windowRect = {0, 0, kFirstWidth, kFirstHeight};
        return {workArea.x + (workArea.width - kFirstWidth) / 2,
                workArea.y + (workArea.height - kFirstHeight) / 2, kFirstWidth, kFirstHeight};
    }
    // A smaller one starts at the minimum size, so that the fit onto the screens sees the size
    // the window will have.
    const BoxSize least = settings.m_showButtons != 0 ? kMinWithPanel : kMinWithoutPanel;
    return {r.left, r.top, StoredLength(r.left, r.right, least.width),
            StoredLength(r.top, r.bottom, least.height)};
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
