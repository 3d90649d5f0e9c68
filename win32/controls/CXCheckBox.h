#pragma once

#include "win32/controls/CXControl.h"

// An automatic check box that keeps its state in the object: a click updates it before the
// dialog's handler for the click runs.
class CXCheckBox : public CXControl {
public:
    void SetCheck(int check);
    int GetCheck() const { return m_nCheck; }

protected:
    void OnAttached() override;
    bool OnReflectedCommand(int code) override;

private:
    int m_nCheck = 0;
};
