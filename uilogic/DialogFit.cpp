#include "uilogic/DialogFit.h"

#include <algorithm>

BoxSize FitDialogOnScreen(const BoxSize& dialog, const BoxSize& workArea, FrameWidths frame) {
    if (!frame.IsKnown())
        frame = kAssumedDialogFrame;
    const int roomWidth = std::max(0, workArea.width - frame.left - frame.right);
    const int roomHeight = std::max(0, workArea.height - frame.top - frame.bottom);
    return {std::min(dialog.width, roomWidth), std::min(dialog.height, roomHeight)};
}

int CheckedIndex(const std::vector<bool>& checked) {
    int index = -1;
    for (size_t i = 0; i < checked.size(); ++i) {
        if (checked[i])
            index = static_cast<int>(i);
    }
    return index;
}
