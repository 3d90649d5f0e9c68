#include "uilogic/Layout.h"

namespace {

constexpr int kPanelWidth = 178;   // the keypad view along the right edge
constexpr int kPanelSpace = 181;   // taken from the panes while the keypad is shown
constexpr int kResultsWidth = 150; // the results pane's fixed width
constexpr int kPaneTop = 22;       // below the row of small buttons
constexpr int kSmallButton = 20;   // the small buttons are squares of this size

} // namespace

MainLayout LayOutMainWindow(int cx, int cy, bool panelShown) {
    MainLayout layout;
    int x = 1;
    for (ScreenBox& button : layout.smallButtons) {
        button = {x, 1, kSmallButton, kSmallButton};
        x += kSmallButton + 1;
    }
    const int w = panelShown ? cx - kPanelSpace : cx; // the panes' share of the width
    const int paneHeight = cy - kPaneTop - 1;
    layout.panelButton = {w - kSmallButton - 1, 1, kSmallButton, kSmallButton};
    layout.keypad = {cx - kPanelWidth, 0, kPanelWidth, cy - 1};
    layout.expressions = {0, kPaneTop, w - kResultsWidth - 2, paneHeight};
    layout.results = {w - kResultsWidth, kPaneTop, kResultsWidth, paneHeight};
    return layout;
}

int KeypadLeastHeight() {
    constexpr int kRows = 8, kKeyInside = 22, kBorder = 1, kSpacing = 2, kBelow = 1;
    return kRows * (kKeyInside + 2 * kBorder) + (kRows + 1) * kSpacing + kBelow;
}

int WidthAfterPanelToggle(int width, bool panelShownNow) {
    return panelShownNow ? width + kPanelWidth : width - kPanelWidth;
}

ScreenBox InfoPageBox(int cx, int cy) {
    constexpr int kButtonRoom = 40;
    return {0, 0, cx, cy - kButtonRoom};
}

ScreenBox HelpOkButtonBox(int cx, int cy) {
    return {cx - 80, cy - 30, 70, 25};
}
