#include "uilogic/Placement.h"

namespace {

constexpr int kFirstWidth = 510;
constexpr int kFirstHeight = 285;
constexpr BoxSize kMinWithPanel{450, 245};
constexpr BoxSize kMinWithoutPanel{200, 80};

} // namespace

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
    return {outer.width - frame.left - frame.right, outer.height - frame.top - frame.bottom};
}

bool StartsMinimised(const CalcSettings& settings) {
    return settings.m_windowState == WindowState::Minimised;
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
