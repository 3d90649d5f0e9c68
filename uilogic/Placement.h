#pragma once

#include "settings/CalcSettings.h"
#include "uilogic/Geometry.h"

#include <vector>

// Where the main window stands, decided without any toolkit. The settings keep the outer
// rectangle, frame included; the toolkit places the inside. The window manager reports its
// frame only after it has mapped the window, so the start is placed in two steps: first the
// inside on the whole outer rectangle, then, once the frame is known, the inside within it.

// The outer rectangle the window starts on: the stored one, or on a first run (state -1) a
// window of 510 x 285 centred on the work area. A first run records (0, 0, 510, 285). A stored
// rectangle that is reversed or empty starts as a first run, without recording; a smaller one
// than the minimum size starts at the minimum size.
ScreenBox StartOuterBox(CalcSettings& settings, const ScreenBox& workArea);

// The outer rectangle moved onto the screens as they are now. One that the work areas do not
// cover whole (a monitor unplugged, a smaller screen) goes fully onto the nearest work area:
// the one it overlaps most, or, overlapping none, the closest. It keeps its size where that
// fits and is cut to the work area where it does not. No work areas: unchanged.
ScreenBox OntoNearestScreen(const ScreenBox& outer, const std::vector<ScreenBox>& workAreas);

ScreenBox InnerFromOuter(const ScreenBox& outer, const FrameWidths& frame);
ScreenBox OuterFromInner(const ScreenBox& inner, const FrameWidths& frame);

// The smallest inside that keeps the outer window at its minimum size: 450 x 245 with the
// keypad, 200 x 80 without; with the keypad, never so low that its bottom row is cut off.
BoxSize MinimumInnerSize(bool panelShown, const FrameWidths& frame);

// Whether the window starts minimised: it was closed minimised. Any other state, also a number
// from a hand-edited file, starts it normal.
bool StartsMinimised(const CalcSettings& settings);

// The outer rectangle to store: a maximised window stores its normal rectangle (its inside
// when not maximised, plus the frame), never the maximised one.
ScreenBox NormalOuterBox(const ScreenBox& outer, bool maximised, const ScreenBox& normalInner,
                         const FrameWidths& frame);

// The bookkeeping before the settings are saved: the state, and the outer rectangle only
// when the window is not minimised (a minimised window keeps the last one).
void RecordPlacement(CalcSettings& settings, const ScreenBox& outer, bool minimised);

// The second step of the start: once the frame is known, the inside that puts the outer
// rectangle where it was wanted. Answers once; afterwards the window is the user's.
class StartPlacement {
public:
    explicit StartPlacement(const ScreenBox& wantedOuter) : m_wantedOuter(wantedOuter) {}

    const ScreenBox& WantedOuter() const { return m_wantedOuter; }
    bool IsPending() const { return m_pending; }

    // Called whenever the frame may have become known. Returns true, with the inside to
    // apply, the first time the frame is known; false before and ever after.
    bool OnFrame(const FrameWidths& frame, ScreenBox& inner);

private:
    ScreenBox m_wantedOuter;
    bool m_pending = true;
};
