#pragma once

// Rectangles and sizes in pixels, as the window's decisions use them: on the screen for the
// window itself, in the client area for its controls.

struct ScreenBox {
    int x = 0, y = 0, width = 0, height = 0;

    bool operator==(const ScreenBox& o) const {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
    bool operator!=(const ScreenBox& o) const { return !(*this == o); }
};

// The widths of the window manager's frame on each side; all 0 while it is unknown.
struct FrameWidths {
    int left = 0, top = 0, right = 0, bottom = 0;

    bool IsKnown() const { return left != 0 || top != 0 || right != 0 || bottom != 0; }
};

struct BoxSize {
    int width = 0, height = 0;

    bool operator==(const BoxSize& o) const { return width == o.width && height == o.height; }
};
