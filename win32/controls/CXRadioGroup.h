#pragma once

#include "win32/controls/CXControl.h"

#include <vector>

// A group of automatic radio buttons bound to its first button. The group is that button and
// the radio buttons after it in window order, up to the next window that starts a group; the
// value is the index of the checked one.
class CXRadioGroup : public CXControl {
public:
    // Checks exactly the button with this index (none for an index outside the group).
    void SetValue(int value);
    // The index of the checked button (the last if several are, -1 if none), stored.
    int GetValue();

    // The group's buttons in window order.
    std::vector<HWND> Buttons() const;

private:
    int m_value = 0;
};
